#include "e2e_fixture.h"

#include "database/database_engine.h"
#include "linux/services/sqlite_engine.h"
#include "linux/services/windows_paths.h"

namespace korvane::e2e {

LauncherScene::LauncherScene() {
  fs::copy_file(KORVANE_LAUNCHER, App("TessalyKorvane"));
  fs::copy_file(KORVANE_TEST_HELP_CHM, App("nuqe.chm"));
  folder.MakeFolder("runtime/hosts");
  fs::permissions(folder.File("runtime"), fs::perms::owner_all, fs::perm_options::replace);
}

std::string RowCount(const std::string& backEnd, const std::string& table) {
  linux_edition::SqliteDatabaseEngine engine;
  auto rows = engine.CreateRecordset();
  rows->Open(u"SELECT COUNT(*) FROM " + linux_edition::FromUtf8(table),
             testing::DemoScene::CompactionText(linux_edition::ToWindowsPath(backEnd)),
             kStaticCursor, kOptimisticLock, kNoOptions);
  return ToUtf8(rows->FirstFieldText());
}

}  // namespace korvane::e2e
