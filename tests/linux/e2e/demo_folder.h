#pragma once
// A demo folder of the Linux edition in a temporary folder of its own, laid
// out as the run command lays it out: the launcher copied into its folder
// with the front-end, the workgroup file and the help file, the data
// back-end in a share folder, an archive in an archive folder. Everything
// the launcher and the Access stand-in share between runs (instance lock,
// host registry, host log) lives inside it, so tests never meet each other.

#include <filesystem>
#include <string>

#include "platform/text.h"

namespace korvane::e2e {

namespace fs = std::filesystem;

class DemoFolder {
 public:
  DemoFolder();
  ~DemoFolder();
  DemoFolder(const DemoFolder&) = delete;
  DemoFolder& operator=(const DemoFolder&) = delete;

  const fs::path& Root() const { return root_; }
  // The launcher's folder, its ProgramFolder.
  fs::path Program() const { return root_ / "TessalyKorvane"; }
  fs::path Launcher() const { return Program() / "TessalyKorvane"; }
  fs::path InProgram(const std::string& name) const { return Program() / name; }
  fs::path BackEnd() const { return root_ / "share" / "Korvane数据.mdb"; }
  fs::path Archive() const { return root_ / "档案" / "2025年档案.mdb"; }
  fs::path HostLog() const { return root_ / "host.log"; }
  fs::path RuntimeFolder() const { return root_ / "runtime"; }
  fs::path HostRegistry() const { return root_ / "runtime" / "hosts"; }

 private:
  fs::path root_;
};

// The file's bytes; empty for a missing file.
std::string ReadFile(const fs::path& path);

// The path as the launcher names it ("Z:\tmp\...").
Text WindowsPath(const fs::path& path);

}  // namespace korvane::e2e
