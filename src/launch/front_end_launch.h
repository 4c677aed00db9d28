#pragma once

#include "platform/text.h"

namespace korvane {

struct Launcher;

inline constexpr char16_t kKorvaneApplicationName[] = u"Korvane";
inline constexpr char16_t kHostExecutable[] = u"msaccess.exe";

// The query that proves the main front-end's link to the data back-end.
inline constexpr char16_t kBackEndProbeQuery[] =
    u"SELECT 代码,管理员ID, 姓名 FROM 人员编码 RIGHT JOIN 代码 ON 人员编码.操作id = 代码.管理员ID "
    u"WHERE 管理员ID>0";

// The host's command line for one front-end file beside the launcher.
Text BuildHostCommandLine(const Text& hostFolder, const Text& programFolder,
                          const Text& frontEndFile, const Text& workgroupFile);

// Starts the database host on the main front-end (true) or the query
// front-end (false), after refusing a running Korvane and probing the
// back-end link. Never raises; its callers end the program afterwards.
void LaunchFrontEnd(Launcher& launcher, bool useMainFrontEnd);

}  // namespace korvane
