// korvane-demo-files <programFolder> <shareFolder> <archiveFolder>
// Creates the demo files that are missing; existing ones are kept.

#include <cstdio>

#include "linux/services/stand_in_files.h"
#include "linux/services/utf8_text.h"
#include "platform/error.h"

int main(int argc, char** argv) {
  using namespace korvane;
  using linux_edition::ToUtf8;
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <programFolder> <shareFolder> <archiveFolder>\n", argv[0]);
    return 2;
  }
  try {
    const auto files = linux_edition::CreateDemoFiles(argv[1], argv[2], argv[3]);
    std::printf("%s\n%s\n%s\n%s\n", files.frontEnd.c_str(), files.workgroupFile.c_str(),
                files.dataBackEnd.c_str(), files.archive.c_str());
    return 0;
  } catch (const Error& error) {
    std::fprintf(stderr, "%s-->%s\n", ToUtf8(error.Source()).c_str(),
                 ToUtf8(error.Description()).c_str());
    return 1;
  }
}
