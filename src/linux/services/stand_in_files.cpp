#include "linux/services/stand_in_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "linux/services/rename_without_replacing.h"
#include "linux/services/sqlite_database.h"
#include "linux/services/system_error.h"
#include "linux/services/utf8_text.h"
#include "linux/services/windows_paths.h"

namespace korvane::linux_edition {
namespace {

constexpr char16_t kSource[] = u"CreateFile";

// Builds the file under a scratch name and gives it its own name only when
// complete, refusing a name that is taken.
void CreateDatabaseFile(const std::string& path,
                        const std::function<void(const SqliteDatabase&)>& fill) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) == 0) ThrowSystemError(EEXIST, path, kSource);
  const std::string scratch = path + ".creating-" + std::to_string(::getpid());
  ::unlink(scratch.c_str());
  try {
    {
      const SqliteDatabase db(scratch, SqliteDatabase::Mode::kCreate, FromUtf8(scratch));
      db.Execute("BEGIN");
      fill(db);
      db.Execute("COMMIT");
    }
    if (const int error = RenameWithoutReplacing(scratch, path)) {
      ThrowSystemError(error, path, kSource);
    }
  } catch (...) {
    ::unlink(scratch.c_str());
    throw;
  }
}

void InsertRow(const SqliteDatabase& db, const std::string& sql, const std::vector<Text>& values) {
  Statement insert(db, sql);
  for (std::size_t i = 0; i < values.size(); ++i) insert.Bind(static_cast<int>(i + 1), values[i]);
  insert.Step();
}

struct Person {
  int id;
  const char16_t* name;
  const char16_t* department;
};

struct Code {
  const char16_t* code;
  const char16_t* name;
  int administrator;  // 0: no administrator
};

constexpr Person kPeople[] = {
    {1, u"张伟", u"财务部"}, {2, u"王芳", u"人事部"}, {3, u"李娜", u"信息中心"},
    {4, u"刘洋", u"采购部"}, {5, u"陈静", u"仓储部"}, {6, u"赵磊", u"销售部"},
};

constexpr Code kCodes[] = {
    {u"A01", u"现金", 1},     {u"A02", u"银行存款", 1}, {u"B01", u"应收账款", 2},
    {u"C01", u"库存商品", 5}, {u"D01", u"固定资产", 3}, {u"E01", u"预付账款", 7},
    {u"Z99", u"停用科目", 0},
};

}  // namespace

void CreateFrontEnd(const std::string& posixPath, const Text& appTitle,
                    const std::vector<LinkedTable>& links) {
  CreateDatabaseFile(posixPath,
                     [&](const SqliteDatabase& db) { WriteFrontEndCatalog(db, appTitle, links); });
}

void CreateWorkgroupFile(const std::string& posixPath, const std::vector<Account>& accounts) {
  CreateDatabaseFile(posixPath, [&](const SqliteDatabase& db) {
    const std::string table = QuotedIdentifier(kAccountsTable);
    db.Execute("CREATE TABLE " + table +
               " (Name TEXT PRIMARY KEY COLLATE NOCASE, Password TEXT NOT NULL)");
    for (const auto& account : accounts) {
      InsertRow(db, "INSERT INTO " + table + " (Name, Password) VALUES (?1, ?2)",
                {account.name, account.password});
    }
  });
}

void CreateDataBackEnd(const std::string& posixPath, const Text& databasePassword,
                       int archiveYear) {
  const Text prefix = archiveYear > 0 ? FromUtf8(std::to_string(archiveYear)) + u"年" : Text();
  CreateDatabaseFile(posixPath, [&](const SqliteDatabase& db) {
    db.Execute(
        "CREATE TABLE 人员编码 (操作id INTEGER PRIMARY KEY, 姓名 TEXT NOT NULL, 部门 TEXT);"
        "CREATE TABLE 代码 (代码 TEXT PRIMARY KEY, 名称 TEXT NOT NULL, 管理员ID INTEGER);");
    for (const auto& person : kPeople) {
      InsertRow(db, "INSERT INTO 人员编码 VALUES (?1, ?2, ?3)",
                {FromUtf8(std::to_string(person.id)), person.name, person.department});
    }
    for (const auto& code : kCodes) {
      InsertRow(db, "INSERT INTO 代码 VALUES (?1, ?2, ?3)",
                {code.code, prefix + code.name, FromUtf8(std::to_string(code.administrator))});
    }
    StoreDatabasePassword(db, databasePassword);
  });
}

DemoFiles CreateDemoFiles(const std::string& programFolder, const std::string& shareFolder,
                          const std::string& archiveFolder) {
  // The front-end records the back-end by its full path.
  auto in = [](const std::string& folder, const char* name) {
    return (std::filesystem::absolute(folder).lexically_normal() / name).string();
  };
  const DemoFiles files{in(programFolder, kDemoFrontEndName), in(programFolder, kDemoWorkgroupName),
                        in(shareFolder, kDemoBackEndName), in(archiveFolder, kDemoArchiveName)};
  auto missing = [](const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) != 0;
  };
  if (missing(files.dataBackEnd)) CreateDataBackEnd(files.dataBackEnd, kDemoDatabasePassword);
  if (missing(files.archive)) CreateDataBackEnd(files.archive, kDemoDatabasePassword, 2025);
  if (missing(files.workgroupFile)) {
    CreateWorkgroupFile(files.workgroupFile, {{u"qorvu", u"pelmo"}});
  }
  if (missing(files.frontEnd)) {
    const Text backEnd = ToWindowsPath(files.dataBackEnd);
    CreateFrontEnd(files.frontEnd, kDemoAppTitle,
                   {{u"人员编码", u"人员编码", backEnd, kDemoDatabasePassword},
                    {u"代码", u"代码", backEnd, kDemoDatabasePassword}});
  }
  return files;
}

}  // namespace korvane::linux_edition
