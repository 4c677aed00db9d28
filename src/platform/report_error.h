#pragma once

#include "platform/error.h"
#include "platform/host_services.h"

namespace korvane {

// The one way an unexpected error is shown: "source-->description" under the
// reporting routine's title, OK only. A message box that itself fails is not
// reported again.
void ReportError(HostServices& host, const Error& error, const Text& title);

}  // namespace korvane
