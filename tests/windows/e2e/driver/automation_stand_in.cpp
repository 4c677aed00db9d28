#include "automation_stand_in.h"

#include <oleauto.h>

#include "files.h"
#include "paths.h"
#include "stand_in_record.h"
#include "wait.h"

namespace e2e {
namespace {

constexpr wchar_t kServerExe[] = L"stand_in_automation.exe";
constexpr wchar_t kProgId[] = L"Access.Application";

std::wstring ServerPath() {
  return Join(HelperFolder(), kServerExe);
}

void SetDefaultValue(const std::wstring& key, const std::wstring& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
}

void Register() {
  const std::wstring clsidKey = std::wstring(L"CLSID\\") + stand_in::kServerClsidText;
  SetDefaultValue(std::wstring(kProgId) + L"\\CLSID", stand_in::kServerClsidText);
  SetDefaultValue(clsidKey + L"\\ProgID", kProgId);
  SetDefaultValue(clsidKey + L"\\LocalServer32", L"\"" + ServerPath() + L"\"");
}

void Unregister() {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
  RegDeleteTreeW(HKEY_CLASSES_ROOT,
                 (std::wstring(L"CLSID\\") + stand_in::kServerClsidText).c_str());
}

void WriteSettings(const AccessSettings& settings) {
  std::wstring text = L"name=" + settings.name + L"\nfolder=" + settings.hostFolder +
                      L"\nname_fails=" + (settings.nameFails ? L"1" : L"0") + L"\n";
  std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  WriteBytes(Join(HelperFolder(), stand_in::kServerSettings), bytes);
}

}  // namespace

AutomationStandIn::AutomationStandIn(const AccessSettings& settings) {
  KillProcessesNamed(kServerExe);
  quit_ = CreateEventW(nullptr, TRUE, FALSE, stand_in::kServerQuitEvent);
  ResetEvent(quit_);
  WriteSettings(settings);
  DeleteFileW(Join(HelperFolder(), stand_in::kServerCalls).c_str());
  Register();
}

AutomationStandIn::~AutomationStandIn() {
  SetEvent(quit_);
  if (running_ && !running_->WaitForExit(5000)) running_->Kill();
  running_.reset();
  // Instances started by COM for the launcher end on the event too; make sure.
  Sleep(200);
  KillProcessesNamed(kServerExe);
  CloseHandle(quit_);
  Unregister();
}

bool AutomationStandIn::StartRunningInstance() {
  running_.emplace(Process::Start(ServerPath(), L"--running"));
  return PollFor(kStepTimeoutMs, [] {
    IUnknown* found = nullptr;
    if (FAILED(GetActiveObject(stand_in::kServerClsid, nullptr, &found))) return false;
    found->Release();
    return true;
  });
}

std::vector<std::wstring> AutomationStandIn::Calls() const {
  return ReadUtf16Lines(Join(HelperFolder(), stand_in::kServerCalls));
}

}  // namespace e2e
