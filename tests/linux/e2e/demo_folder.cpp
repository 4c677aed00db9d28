#include "demo_folder.h"

#include <sys/wait.h>

#include <cstdlib>
#include <stdexcept>

#include "database/database_engine.h"
#include "linux/services/sqlite_database.h"
#include "linux/services/sqlite_engine.h"
#include "linux/services/stand_in_files.h"
#include "linux/services/utf8_text.h"
#include "linux/services/windows_paths.h"

namespace korvane::e2e {

DemoFolder::DemoFolder() {
  for (const char* folder : {"TessalyKorvane", "share", "档案", "runtime/hosts"}) {
    fs::create_directories(Root() / folder);
  }
  fs::permissions(RuntimeFolder(), fs::perms::owner_all, fs::perm_options::replace);
  fs::copy_file(KORVANE_LAUNCHER, Launcher());
  fs::copy_file(KORVANE_TEST_HELP_CHM, InProgram("nuqe.chm"));
  const std::string command = std::string("'") + KORVANE_DEMO_FILES + "' '" + Program().string() +
                              "' '" + (Root() / "share").string() + "' '" +
                              (Root() / "档案").string() + "' >/dev/null";
  const int status = std::system(command.c_str());
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("korvane-demo-files failed");
  }
}

Text WindowsPath(const fs::path& path) {
  return linux_edition::ToWindowsPath(path.string());
}

void LinkBackEnd(const DemoFolder& demo, const fs::path& backEnd) {
  const Text frontEnd = WindowsPath(demo.InProgram(linux_edition::kDemoFrontEndName));
  const linux_edition::SqliteDatabase database(demo.InProgram(linux_edition::kDemoFrontEndName),
                                               linux_edition::SqliteDatabase::Mode::kReadWrite,
                                               frontEnd);
  linux_edition::Statement link(database, "UPDATE MSysObjects SET Database = ?1 WHERE Type = ?2");
  link.Bind(1, WindowsPath(backEnd)).Bind(2, std::int64_t{linux_edition::kLinkedTableType});
  link.Step();
}

std::string RowCount(const fs::path& backEnd, const std::string& table) {
  linux_edition::SqliteDatabaseEngine engine;
  auto rows = engine.CreateRecordset();
  rows->Open(u"SELECT COUNT(*) FROM " + linux_edition::FromUtf8(table),
             u"Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password='tandr4820517';"
             u"Data Source=" +
                 WindowsPath(backEnd),
             kStaticCursor, kOptimisticLock, kNoOptions);
  return linux_edition::ToUtf8(rows->FirstFieldText());
}

}  // namespace korvane::e2e
