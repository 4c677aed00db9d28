#pragma once
// A launcher wired to in-memory doubles of every seam, the scene tests
// start from, and the boxes the launcher shows as the tests expect them.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "common/launcher.h"
#include "fakes/call_log.h"
#include "fakes/fake_automation.h"
#include "fakes/fake_engine.h"
#include "fakes/fake_help_viewer.h"
#include "fakes/fake_host.h"
#include "fakes/fake_support_log.h"
#include "fakes/fake_window.h"
#include "fakes/scripted_dialog.h"
#include "shell/main_window.h"

namespace korvane::testing {

inline constexpr char16_t kMainFrontEndPath[] = u"D:\\App\\系统前端.mde";
inline constexpr char16_t kQueryFrontEndPath[] = u"D:\\App\\查询系统.mde";
inline constexpr char16_t kWorkgroupPath[] = u"D:\\App\\Secured.mdw";
inline constexpr char16_t kBackEndPath[] = u"D:\\share\\data.mdb";
// Where the back-end is compacted to before the copy takes its place.
inline constexpr char16_t kScratchPath[] = u"D:\\share\\data备份.mdb";
inline constexpr char16_t kBackUpPath[] = u"D:\\App\\Korvane后端备份.mdb";
inline constexpr char16_t kBackUpTempPath[] = u"D:\\App\\Korvane后端备份.tmp";
// Where each swap may leave the file it replaced.
inline constexpr char16_t kBackUpReplacedPath[] = u"D:\\App\\Korvane后端备份.old";
inline constexpr char16_t kCompactionReplacedPath[] = u"D:\\share\\data压缩前.old";
inline constexpr char16_t kQueryBackEndPath[] = u"D:\\App\\查询后端.mdb";
inline constexpr char16_t kHelpPath[] = u"D:\\App\\nuqe.chm";
inline constexpr char kBackEndData[] = "back-end data";

// How a routine or command came back; an error that escapes fails the test.
enum class Outcome { kReturned, kProgramEnded };
void PrintTo(const MessageBox& box, std::ostream* os);

// The launcher in D:\App with its three component files, the data back-end
// D:\share\data.mdb that the main front-end links to, and the component
// table filled as after a normal start.
struct World {
  World();

  // Runs `body` and tells how it came back.
  Outcome Run(const std::function<void()>& body);

  CallLog log;
  FakeHost host{log};
  FakeEngine engine{log, host};
  FakeAutomation automation{log};
  ScriptedDialog dialog{log, host};
  FakeHelpViewer viewer{log};
  FakeWindow window{log};
  FakeSupportLog supportLog;
  Launcher launcher{host, engine, automation, dialog, viewer, window, supportLog, {}};
  MainWindow mainWindow{launcher};
};

// The boxes the launcher shows.
inline const MessageBox kKorvaneRunning{u"Korvane正在运行", Text(u"系统运行状态"),
                                        MessageButtons::kOk};
inline const MessageBox kInitialise{u"是否进行数据后端初始化工作", Text(u"系统后端数据联接失败"),
                                    MessageButtons::kYesNoDefaultNo};
inline const MessageBox kNotFound{u"没有发现后端数据库文件无法进行操作", Text(u"出错信息"),
                                  MessageButtons::kOk};
inline const MessageBox kCompactedNotice{u"后端数据压缩工作已经结束", Text(u"系统运行状态"),
                                         MessageButtons::kOk};
inline const MessageBox kBackedUpNotice{u"后端数据备份工作已经结束", Text(u"系统运行状态"),
                                        MessageButtons::kOk};

class LauncherTest : public ::testing::Test {
 protected:
  World w;
};

}  // namespace korvane::testing
