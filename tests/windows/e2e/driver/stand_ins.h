#pragma once
// The stand-in server put in place for one scenario: the ProgIDs of
// "Access.Application", ADO and JRO name its classes while it lasts.

#include <windows.h>

#include <optional>
#include <string>

#include "program.h"

namespace e2e {

enum class Access { Installed, RunningKorvane };

class StandIns {
 public:
  // The server's calls are logged afresh to stand_in::kCallLog beside it.
  StandIns(const std::wstring& helperFolder, Access access);
  ~StandIns();
  StandIns(const StandIns&) = delete;
  StandIns& operator=(const StandIns&) = delete;

 private:
  HANDLE quit_ = nullptr;
  std::optional<Process> running_;
};

}  // namespace e2e
