#pragma once

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
inline constexpr char16_t kScratchSuffix[] = u"备份.mdb";
inline constexpr char16_t kCompactionConnectionPrefix[] =
    u"Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password='tandr4820517';Data Source=";

// Compacts ("涮新") or backs up ("备份") the data back-end, with a message
// when done or when no back-end is found; a failing step ends it silently.
// Any other action word does nothing. Never raises.
void MaintainBackEnd(Launcher& launcher, const Text& action);

}  // namespace korvane
