#pragma once

#include "common/fixed_credentials.h"
#include "platform/database_engine.h"
#include "platform/text.h"

namespace korvane {

struct Launcher;

// The action words by which the menu tells the maintenance what to do.
inline constexpr char16_t kCompactAction[] = u"涮新";
inline constexpr char16_t kBackUpAction[] = u"备份";

inline constexpr char16_t kBackUpFileName[] = u"Korvane后端备份.mdb";
// The new backup is written under this name first and takes the backup's
// name only once it is complete, so a failing copy never costs the old one.
inline constexpr char16_t kBackUpInProgressName[] = u"Korvane后端备份.tmp";
// Where the previous backup may lie while the new one takes its name.
inline constexpr char16_t kBackUpReplacedName[] = u"Korvane后端备份.old";
inline constexpr char16_t kScratchSuffix[] = u"备份.mdb";
// Beside the back-end: where the back-end may lie while the compacted copy
// takes its name.
inline constexpr char16_t kCompactionReplacedSuffix[] = u"压缩前.old";
inline const Text kCompactionConnectionPrefix = Text(u"Provider=") + kJetProvider +
                                                u";Jet OLEDB:Database Password='" +
                                                kBackEndDatabasePassword + u"';Data Source=";
// The check of the compacted copy only reads, so it opens both files
// read-only: its own opens then never change the back-end's last write. It
// keeps no file open once closed: a pooled session would hold the back-end
// for about a minute, and the swap needs it free.
inline const Text kCheckConnectionPrefix = Text(u"Provider=") + kJetProvider +
                                           u";OLE DB Services=-2;Mode=Read;"
                                           u"Jet OLEDB:Database Password='" +
                                           kBackEndDatabasePassword + u"';Data Source=";

// Compacts ("涮新") or backs up ("备份") the data back-end, with a message
// when done or when no back-end is found; a failing step ends it silently.
// Any other action word does nothing. Never raises.
//
// The back-end is shared: other users' Access may write it at any time.
// The backup copies it only while no other program can write it, and the
// compacted copy takes its place only when no write reached it since the
// compaction began; otherwise the command ends as on any failure.
void MaintainBackEnd(Launcher& launcher, const Text& action);

}  // namespace korvane
