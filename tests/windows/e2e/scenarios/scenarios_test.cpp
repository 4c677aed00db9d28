// TessalyKorvane.exe under Wine, worked from outside as a user would: one
// scenario for each way through the Windows edition's adapters. The rules
// behind each outcome are the core's tests'; these show the real exe meets
// the real desktop, files and automation servers.

#include <gtest/gtest.h>

#include "main_window_ids.h"
#include "row_name.h"
#include "scenario.h"

namespace e2e {
namespace {

namespace ids = korvane::windows;

const std::wstring kQuery = L"D:\\App\\查询系统.mde", kMain = L"D:\\App\\系统前端.mde",
                   kWorkgroup = L"D:\\App\\Secured.mdw", kQueryBackEnd = L"D:\\App\\查询后端.mdb",
                   kBackUp = L"D:\\App\\Korvane后端备份.mdb",
                   kBackUpInProgress = L"D:\\App\\Korvane后端备份.tmp",
                   kBackEnd = L"D:\\share\\data.mdb", kScratch = L"D:\\share\\data备份.mdb",
                   kArchive = L"D:\\档案\\arch.mdb";

// The stand-in files: the front-ends name their linked back-end, only the
// main front-end's link is ever probed.
const std::string kWorkgroupBytes = "stand-in workgroup\naccount=qorvu pelmo\n";
const std::string kMainBytes = "stand-in database\nlink=D:\\share\\data.mdb\n";
const std::string kQueryBytes = "stand-in database\nlink=D:\\App\\查询后端.mdb\n";
// Only the back-end's own tables are counted: a saved query and a linked
// table cannot be.
const std::string kCompacted =
    "stand-in database\npassword=tandr4820517\ntable=人员编码\tTABLE\t3\n"
    "table=MSysObjects\tSYSTEM TABLE\t12\ntable=名单\tVIEW\t3\ntable=档案\tLINK\t5\n";
const std::string kBackEndBytes = kCompacted + "free=4096\n";
// Another user writes the back-end as soon as the compaction ends.
const std::string kNextWrite = "next-write=another user's row\n";
const std::string kArchiveBytes = "stand-in database\narchived\n";

// The usual installation with the changes given ("" removes a file).
Files Installation(const Files& changes = {}) {
  Files files{{kQuery, kQueryBytes},
              {kMain, kMainBytes},
              {kWorkgroup, kWorkgroupBytes},
              {kBackEnd, kBackEndBytes}};
  Apply(files, changes);
  return files;
}

Step Command(unsigned short id) {
  return {Act::Command, L"", L"", id};
}

const Step kQuiet = {Act::Quiet}, kEnds = {Act::Ends}, kClose = {Act::Close};
const wchar_t kStatus[] = L"系统运行状态";

Calls operator+(Calls calls, const Calls& more) {
  calls.insert(calls.end(), more.begin(), more.end());
  return calls;
}

// A recordset opened on the connection text the main front-end's connection
// reads back, not on the text set on it.
Calls Opened(const wchar_t* sql, int cursor) {
  const std::wstring set =
      L"Data Source=D:\\App\\系统前端.mde ;jet oledb:system database=D:\\App\\Secured.mdw;"
      L"user id=qorvu;Password=pelmo";
  return {L"new ADODB.Recordset",
          L"new ADODB.Connection",
          L"Connection.Provider=(8:Microsoft.Jet.OLEDB.4.0)",
          L"Connection.ConnectionString=(8:" + set + L")",
          L"Connection.Open(8:,8:,8:,3:-1)",
          L"Connection.ConnectionString()",
          L"Connection.Close()",
          L"Recordset.Open(8:" + std::wstring(sql) + L",8:Provider=Microsoft.Jet.OLEDB.4.0;" + set +
              L",3:" + std::to_wstring(cursor) + L",3:3,3:-1)"};
}
// The launcher's two queries on the main front-end: its link, and the probe of it.
const wchar_t kDiscoveryQuery[] =
    L" SELECT Database FROM MSysObjects GROUP BY Database HAVING ((Not ( Database) = 'isnull')) "
    L"WITH OWNERACCESS OPTION";
const wchar_t kProbeQuery[] =
    L"SELECT 代码,管理员ID, 姓名 FROM 人员编码 RIGHT JOIN 代码 ON 人员编码.操作id = 代码.管理员ID "
    L"WHERE 管理员ID>0";
const Calls kProbe = Opened(kProbeQuery, 3) + Calls{L"Recordset.Close()"};
// The Access made to tell its folder is let go, or it would keep running.
const Calls kHostFolder = {L"new Access.Application", L"Application.SysCmd(3:9)",
                           L"Application released"};
const Calls kFindBackEnd =
    Calls{L"new JRO.JetEngine"} + Opened(kDiscoveryQuery, 2) +
    Calls{L"Recordset.Fields()", L"Fields.Item(3:0)", L"Field.Value()", L"Recordset.Close()"};
const std::wstring kCompaction =
    L"Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database "
    L"Password='tandr4820517';Data Source=";

// Before the swap the compacted copy's catalogue is read, then the
// back-end's, each read-only and without session pooling: its tables, and
// the rows of each; every rowset is closed, then the connection.
Calls CatalogueRead(const std::wstring& file) {
  return {L"new ADODB.Connection",
          L"Connection.Open(8:Provider=Microsoft.Jet.OLEDB.4.0;OLE DB Services=-2;Mode=Read;"
          L"Jet OLEDB:Database Password='tandr4820517';Data Source=" +
              file + L",8:,8:,3:-1)",
          L"Connection.OpenSchema(3:20)",
          L"Recordset.Close()",
          L"Connection.Execute(8:SELECT COUNT(*) FROM [人员编码])",
          L"Recordset.Close()",
          L"Connection.Close()"};
}
const Calls kCompactionAndCheck = kFindBackEnd +
                                  Calls{L"JetEngine.CompactDatabase(8:" + kCompaction + kBackEnd +
                                        L",8:" + kCompaction + kScratch + L")"} +
                                  CatalogueRead(kScratch) + CatalogueRead(kBackEnd);

const Scenario kScenarios[] = {
    {.name = "WindowAndMenuThenOnA125PercentMonitorThenASecondCopyEndsSilentlyThenTheCloseBox",
     .files = Installation(),
     .steps = {{Act::Window},
               {Act::Window, L"", L"", 120},
               {Act::Delete, kQuery},
               {Act::SecondCopy},
               {Act::CloseBox}}},
    {.name = "WindowAt150PercentScalingFillsItsClientArea",
     .files = Installation(),
     .steps = {{Act::Window}, kClose},
     .dpi = 144,
     .log = {L"关闭窗口\t完成"}},
    {.name = "DriveRootIsRefused",
     .files = {{L"K:\\系统前端.mde", kMainBytes}, {L"K:\\Secured.mdw", kWorkgroupBytes}},
     .steps = {{Act::Box, L"TessalyKorvane", L"建议将该文件安装在文件夹下运行"}, kEnds},
     .exe = L"K:\\TessalyKorvane.exe"},
    {.name = "MissingQueryFrontEndIsRebuiltThenHelpOpensTheViewer",
     .files = Installation({{kQuery, ""}, {L"D:\\App\\nuqe.chm", kHelpSample}}),
     .steps = {Command(ids::kIdHelp), {Act::Viewer}, kQuiet, kClose},
     .changes = {{kQuery, kMainBytes}}},
    {.name = "RunWithWorkingProbeStartsAccessAtOnce",
     .files = Installation(),
     .steps = {Command(ids::kIdRun), kEnds},
     .started = L"系统前端.mde",
     .calls = kProbe + kHostFolder,
     .log = {L"数据操作前端\t已启动"}},
    {.name = "RunWhileKorvaneIsOpenStartsNothing",
     .files = Installation(),
     .steps = {Command(ids::kIdRun), {Act::Box, kStatus, L"Korvane正在运行"}, kEnds},
     .calls = {L"Application.CurrentDb()", L"Database.Properties(8:AppTitle)", L"Property.Value()"},
     .access = Access::RunningKorvane},
    {.name = "QueryWithWorkingProbeStartsTheQueryFrontEnd",
     .files = Installation({{kArchive, kArchiveBytes}}),
     .steps = {Command(ids::kIdQuery), {Act::Choose, kArchive}, kEnds},
     .changes = {{kQueryBackEnd, kArchiveBytes}},
     .started = L"查询系统.mde",
     .calls = kProbe + kHostFolder},
    {.name = "BackUpReplacesTheBackUpWithTheBackEnd",
     .files = Installation({{kBackUp, "old backup\n"}}),
     .steps = {Command(ids::kIdBackUp), {Act::Box, kStatus, L"后端数据备份工作已经结束"}, kClose},
     .changes = {{kBackUp, kBackEndBytes}},
     .calls = kFindBackEnd,
     .log = {L"备份后端数据\t完成", L"关闭窗口\t完成"}},
    {.name = "BackUpOfABackEndOpenElsewhereKeepsTheOldBackUp",
     .files = Installation({{kBackUp, "old backup\n"}}),
     .steps = {{Act::Lock, kBackEnd}, Command(ids::kIdBackUp), kQuiet, kClose},
     .log = {L"备份后端数据\t失败\t错误 32\tHoldAgainstWriters\t", L"关闭窗口\t完成"}},
    {.name = "BackUpWhoseCopyCannotBeWrittenKeepsTheOldBackUp",
     .files = Installation({{kBackUp, "old backup\n"}, {kBackUpInProgress, "left over\n"}}),
     .steps = {{Act::LockAlone, kBackUpInProgress}, Command(ids::kIdBackUp), kQuiet, kClose}},
    {.name = "CompactionRemovesAStaleScratchFileAndSwapsInTheCopy",
     .files = Installation({{kScratch, "stale scratch file\n"}}),
     .steps = {Command(ids::kIdCompact), {Act::Box, kStatus, L"后端数据压缩工作已经结束"}, kClose},
     .changes = {{kBackEnd, kCompacted}, {kScratch, ""}},
     .calls = kCompactionAndCheck},
    {.name = "CompactionKeepsTheBackEndThatAnotherUserWroteSince",
     .files = Installation({{kBackEnd, kCompacted + kNextWrite + "free=4096\n"}}),
     .steps = {Command(ids::kIdCompact), kQuiet, kClose},
     .changes = {{kBackEnd, kCompacted + kNextWrite + "free=4096\nanother user's row\n"},
                 {kScratch, kCompacted + kNextWrite}},
     .calls = kCompactionAndCheck,
     .log = {L"压缩后端数据\t压缩期间后端已被修改，后端未替换", L"关闭窗口\t完成"}},
};

class Launcher : public ::testing::TestWithParam<Scenario> {};

TEST_P(Launcher, Runs) {
  e2e::Run(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Launcher, ::testing::ValuesIn(kScenarios), korvane::RowName());

}  // namespace
}  // namespace e2e
