#pragma once
// A demo folder of the Linux edition in a temporary folder of its own, laid
// out as the run command lays it out: the launcher copied into its folder
// with the front-end, the workgroup file and the help file, the data
// back-end in a share folder, an archive in an archive folder. Everything
// the launcher and the Access stand-in share between runs (instance lock,
// host registry, host log) lives inside it, so tests never meet each other.

#include <filesystem>
#include <string>

#include "support/scratch_folder.h"

namespace korvane::e2e {

namespace fs = std::filesystem;
using testing::Listing;
using testing::ReadFile;

class DemoFolder {
 public:
  DemoFolder();

  fs::path Root() const { return scratch_.Path(); }
  // The launcher's folder, its ProgramFolder.
  fs::path Program() const { return Root() / "TessalyKorvane"; }
  fs::path Launcher() const { return Program() / "TessalyKorvane"; }
  fs::path InProgram(const std::string& name) const { return Program() / name; }
  fs::path BackEnd() const { return Root() / "share" / "Korvane数据.mdb"; }
  fs::path Archive() const { return Root() / "档案" / "2025年档案.mdb"; }
  fs::path HostLog() const { return Root() / "host.log"; }
  fs::path RuntimeFolder() const { return Root() / "runtime"; }
  fs::path HostRegistry() const { return Root() / "runtime" / "hosts"; }

 private:
  testing::ScratchFolder scratch_{"korvane-e2e"};
};

// The path as the launcher names it ("Z:\tmp\...").
Text WindowsPath(const fs::path& path);

// Points the main front-end's linked tables at `backEnd`.
void LinkBackEnd(const DemoFolder& demo, const fs::path& backEnd);

// The number of rows of a back-end's table, read as the launcher's engine
// reads it, under the back-end's database password. Raises korvane::Error
// for a file that is no such database.
std::string RowCount(const fs::path& backEnd, const std::string& table);

}  // namespace korvane::e2e
