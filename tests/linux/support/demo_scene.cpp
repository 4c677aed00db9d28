#include "support/demo_scene.h"

#include "linux/services/connection_text.h"
#include "linux/services/windows_paths.h"

namespace korvane::testing {

DemoScene::DemoScene()
    : files(linux_edition::CreateDemoFiles(folder.MakeFolder("app"), folder.MakeFolder("share"),
                                           folder.MakeFolder("archive"))) {
  const linux_edition::DriveMap drives;
  programFolder = drives.ToWindows(folder.File("app"));
  frontEnd = drives.ToWindows(files.frontEnd);
  workgroupFile = drives.ToWindows(files.workgroupFile);
  dataBackEnd = drives.ToWindows(files.dataBackEnd);
}

Text DemoScene::LauncherConnectionText() const {
  return u"Data Source=" + frontEnd + u" ;jet oledb:system database=" + workgroupFile +
         u";user id=qorvu;Password=pelmo";
}

Text DemoScene::ProbeConnectionText() const {
  return u"Provider=Microsoft.Jet.OLEDB.4.0;" + LauncherConnectionText();
}

Text DemoScene::CompactionText(const Text& file, const Text& password) {
  return u"Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password='" + password +
         u"';Data Source=" + file;
}

}  // namespace korvane::testing
