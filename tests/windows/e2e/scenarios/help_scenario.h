#pragma once
// Help scenarios: an installation with or without the help file.

#include "files.h"
#include "paths.h"
#include "scenario.h"

namespace e2e {

inline constexpr wchar_t kViewerClass[] = L"HH Parent";

inline Installation HelpInstallation(bool withHelpFile) {
  Installation installation(ScenarioFolder());
  installation.WithAllComponents();
  if (withHelpFile) CopyOrFail(HelpFileSample(), installation.PathOf(kHelpFile));
  return installation;
}

}  // namespace e2e
