#pragma once
// The demo writer: makes Korvane's files (laid out as stand_in_format.h
// describes) for a demo folder and for tests.
// The writers create a file that must not exist yet; it appears complete or
// not at all.

#include <string>
#include <vector>

#include "linux/services/stand_in_format.h"
#include "platform/text.h"

namespace korvane::linux_edition {

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
