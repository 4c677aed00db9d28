#pragma once
// The stand-in server put in place for one scenario: the ProgIDs of
// "Access.Application", ADO and JRO name its classes while it lasts.

#include <windows.h>

#include <oleauto.h>

#include <memory>
#include <optional>
#include <string>

#include "program.h"
#include "stand_in_record.h"
#include "wait.h"

namespace e2e {

enum class Access { Installed, RunningKorvane };

class StandIns {
 public:
  // The server's calls are logged afresh to stand_in::kCallLog beside it.
  StandIns(const std::wstring& helperFolder, Access access) {
    quit_.reset(CreateEventW(nullptr, TRUE, FALSE, stand_in::kQuitEvent), CloseHandle);
    ResetEvent(quit_.get());
    DeleteFileW((helperFolder + stand_in::kCallLog).c_str());
    const std::wstring server = helperFolder + L"stand_in_server.exe";
    for (const auto& standIn : stand_in::kClasses) {
      SetDefault(std::wstring(standIn.progId) + L"\\CLSID", standIn.clsid);
      SetDefault(ClassKey(standIn) + L"\\LocalServer32", L"\"" + server + L"\"");
    }
    if (access != Access::RunningKorvane) return;
    running_ = Process::Start(server, L"--running");
    CoInitialize(nullptr);
    CLSID accessClass;
    CLSIDFromString(stand_in::kClasses[0].clsid, &accessClass);
    PollFor(kStepTimeoutMs, [&] {
      IUnknown* found = nullptr;
      if (FAILED(GetActiveObject(accessClass, nullptr, &found))) return false;
      found->Release();
      return true;
    });
  }
  ~StandIns() {
    SetEvent(quit_.get());
    // Servers that COM started for the launcher end on the event too.
    if (running_) running_->WaitForExit(5000);
    for (const auto& standIn : stand_in::kClasses) {
      RegDeleteTreeW(HKEY_CLASSES_ROOT, ClassKey(standIn).c_str());
      if (standIn.prefixClsid) {
        SetDefault(std::wstring(standIn.progId) + L"\\CLSID", standIn.prefixClsid);
      } else {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, standIn.progId);
      }
    }
  }

 private:
  static void SetDefault(const std::wstring& key, const std::wstring& value) {
    RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  static std::wstring ClassKey(const stand_in::StandInClass& standIn) {
    return std::wstring(L"CLSID\\") + standIn.clsid;
  }

  std::shared_ptr<void> quit_;
  std::optional<Process> running_;
};

}  // namespace e2e
