#pragma once
// Korvane's demo files in a scratch folder: the launcher's folder "app"
// with the front-end and the workgroup file, the data back-end in "share"
// and an archive in "archive".

#include <string>

#include "linux/services/stand_in_files.h"
#include "support/scratch_folder.h"

namespace korvane::testing {

struct DemoScene {
  DemoScene();

  std::string App(const std::string& name) const { return folder.File("app/" + name); }

  ScratchFolder folder;
  linux_edition::DemoFiles files;
  Text programFolder;  // Windows path of "app"
  Text frontEnd;       // Windows paths of the files
  Text workgroupFile;
  Text dataBackEnd;

  // The text the launcher opens the main front-end with.
  Text LauncherConnectionText() const;
  // The same, in the engine's full form, as a recordset receives it.
  Text ProbeConnectionText() const;
  // The compaction connection text for a file, with a database password.
  static Text CompactionText(const Text& file,
                             const Text& password = linux_edition::kDemoDatabasePassword);
};

}  // namespace korvane::testing
