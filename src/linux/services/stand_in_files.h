#pragma once
// Korvane's files in the Linux edition, as SQLite databases:
//  - a front-end (.mde) holds the catalogue MSysObjects (Name, Type,
//    Database, ForeignName, Connect): a linked table has Type 6, the Windows
//    path of its back-end in Database, the back-end's table in ForeignName
//    and the link's connect string ";PWD=<database password>" in Connect, as
//    Jet keeps them; the front-end's own objects have Database NULL. Its
//    properties (MSysProperties: Name, Value) hold AppTitle.
//  - the workgroup file (.mdw) holds the accounts (MSysAccounts: Name,
//    Password); names are compared without regard to ASCII case, passwords
//    exactly.
//  - a back-end (.mdb) holds its data tables and, when it has a database
//    password, the table MSysDatabasePassword (Password). This is a check the
//    engine makes, not encryption: the file itself is readable by anyone
//    who can read it with SQLite.
// The writers create a file that must not exist yet; it appears complete or
// not at all.

#include <string>
#include <vector>

#include "platform/text.h"

namespace korvane::linux_edition {

inline constexpr int kLinkedTableType = 6;
inline constexpr int kLocalTableType = 1;

struct LinkedTable {
  Text name;              // the name the front-end's queries use
  Text foreignName;       // the table in the back-end
  Text database;          // Windows path of the back-end
  Text databasePassword;  // stored in the link; empty for none
};

struct Account {
  Text name;
  Text password;
};

void CreateFrontEnd(const std::string& posixPath, const Text& appTitle,
                    const std::vector<LinkedTable>& links);
void CreateWorkgroupFile(const std::string& posixPath, const std::vector<Account>& accounts);
// A data back-end with the tables 人员编码 (操作id, 姓名, 部门) and
// 代码 (代码, 名称, 管理员ID) holding sample rows; `archiveYear` above 0 marks
// the rows of an archive of that year. Empty password: none.
void CreateDataBackEnd(const std::string& posixPath, const Text& databasePassword,
                       int archiveYear = 0);

// The demo files' fixed names and settings.
inline constexpr char16_t kDemoAppTitle[] = u"Korvane";
inline constexpr char16_t kDemoDatabasePassword[] = u"tandr4820517";
inline constexpr char kDemoFrontEndName[] = "系统前端.mde";
inline constexpr char kDemoWorkgroupName[] = "Secured.mdw";
inline constexpr char kDemoBackEndName[] = "Korvane数据.mdb";
inline constexpr char kDemoArchiveName[] = "2025年档案.mdb";

struct DemoFiles {
  std::string frontEnd;       // programFolder/系统前端.mde
  std::string workgroupFile;  // programFolder/Secured.mdw (qorvu / pelmo)
  std::string dataBackEnd;    // shareFolder/Korvane数据.mdb
  std::string archive;        // archiveFolder/2025年档案.mdb
};

// Creates, in existing folders, each of the demo files that is missing and
// leaves those that exist as they are. The front-end links 人员编码 and 代码
// to the data back-end's Windows path.
DemoFiles CreateDemoFiles(const std::string& programFolder, const std::string& shareFolder,
                          const std::string& archiveFolder);

}  // namespace korvane::linux_edition
