#include "e2e_fixture.h"

#include "linux/services/sqlite_database.h"

namespace korvane::e2e {

LauncherScene::LauncherScene() {
  fs::copy_file(KORVANE_LAUNCHER, App("TessalyKorvane"));
  fs::copy_file(KORVANE_TEST_HELP_CHM, App("nuqe.chm"));
  folder.MakeFolder("runtime/hosts");
  fs::permissions(folder.File("runtime"), fs::perms::owner_all, fs::perm_options::replace);
}

std::string Ask(const std::string& database, const std::string& sql) {
  const linux_edition::SqliteDatabase db(database, linux_edition::SqliteDatabase::Mode::kReadOnly,
                                         u"");
  linux_edition::Statement query(db, sql);
  return query.Step() ? ToUtf8(query.ColumnText(0)) : "";
}

}  // namespace korvane::e2e
