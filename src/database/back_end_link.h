#pragma once
// The connection text of the main front-end and the discovery of the data
// back-end from the front-end's linked tables.

#include "platform/text.h"

namespace korvane {

struct Launcher;

// The catalogue query that lists the databases the linked tables come from.
inline constexpr char16_t kBackEndDiscoveryQuery[] =
    u" SELECT Database FROM MSysObjects GROUP BY Database HAVING ((Not ( Database) = "
    u"'isnull')) WITH OWNERACCESS OPTION";

// The text set on the connection before it is opened.
Text MainFrontEndConnectionText(const Launcher& launcher);

// Opens the main front-end under the workgroup account and returns the
// engine's expanded connection string; the empty text when it cannot be
// opened. Never raises.
Text BuildConnectionString(const Launcher& launcher);

// Path of the data back-end as the front-end's first linked-table row
// records it; the empty text when it cannot be read. Never raises.
Text FindBackEndPath(const Launcher& launcher);

}  // namespace korvane
