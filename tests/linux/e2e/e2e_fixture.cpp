#include "e2e_fixture.h"

#include "linux/services/sqlite_database.h"

namespace korvane::e2e {

LauncherScene::LauncherScene() {
  fs::copy_file(KORVANE_LAUNCHER, App("TessalyKorvane"));
  fs::copy_file(KORVANE_TEST_HELP_CHM, App("nuqe.chm"));
  folder.MakeFolder("runtime/hosts");
  fs::permissions(folder.File("runtime"), fs::perms::owner_all, fs::perm_options::replace);
}

void LauncherScene::GrowBackEnd() const {
  linux_edition::SqliteDatabase(files.dataBackEnd, linux_edition::SqliteDatabase::Mode::kReadWrite,
                                u"")
      .Execute(
          "CREATE TABLE 流水 (x BLOB); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
          "FROM n WHERE i < 3000) INSERT INTO 流水 SELECT randomblob(16000) FROM n;");
}

std::string Ask(const std::string& database, const std::string& sql) {
  const linux_edition::SqliteDatabase db(database, linux_edition::SqliteDatabase::Mode::kReadOnly,
                                         u"");
  linux_edition::Statement query(db, sql);
  return query.Step() ? ToUtf8(query.ColumnText(0)) : "";
}

}  // namespace korvane::e2e
