#pragma once
// The stand-in server put in place for one scenario: registered in the test
// prefix under the engine's classes (over Wine's own ADO, whose registration
// comes back afterwards) and as "Access.Application".

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "program.h"

namespace e2e {

enum class Access { Installed, RunningKorvane };

class StandIns {
 public:
  // `hostFolder` is what Access answers for the folder of msaccess.exe.
  StandIns(const std::wstring& helperFolder, Access access, const std::wstring& hostFolder);
  ~StandIns();
  StandIns(const StandIns&) = delete;
  StandIns& operator=(const StandIns&) = delete;

  // The calls the servers answered, in order, as the server logs them.
  std::vector<std::wstring> Calls() const;

 private:
  std::wstring helperFolder_;
  HANDLE quit_ = nullptr;
  std::optional<Process> running_;
};

}  // namespace e2e
