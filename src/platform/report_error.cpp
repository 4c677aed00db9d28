#include "platform/report_error.h"

#include "platform/failure_modes.h"

namespace korvane {

void ReportError(HostServices& host, const Error& error, const Text& title) {
  ContinueOnError([&] {
    host.ShowMessage(error.Source() + u"-->" + error.Description(), title, MessageButtons::kOk);
  });
}

}  // namespace korvane
