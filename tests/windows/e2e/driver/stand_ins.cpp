#include "stand_ins.h"

#include <oleauto.h>

#include <vector>

#include "stand_in_record.h"
#include "wait.h"

namespace e2e {
namespace {

constexpr wchar_t kServerExe[] = L"stand_in_server.exe";
// Where the prefix's own registration of a key is kept while a stand-in
// replaces it; a value marks a key the prefix did not have.
constexpr wchar_t kSaved[] = L"Software\\KorvaneTests\\Saved\\";
constexpr wchar_t kAbsent[] = L"KorvaneTestsAbsent";

std::vector<std::wstring> KeysOf(const stand_in::StandInClass& standIn) {
  return {standIn.progId, std::wstring(L"CLSID\\") + standIn.clsid};
}

// A copy left by an interrupted run is the prefix's own: it is kept.
void Save(const std::wstring& key) {
  HKEY saved = nullptr, original = nullptr;
  DWORD created = 0;
  RegCreateKeyExW(HKEY_CURRENT_USER, (kSaved + key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  &saved, &created);
  if (created == REG_CREATED_NEW_KEY) {
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &original) == ERROR_SUCCESS) {
      RegCopyTreeW(original, nullptr, saved);
      RegCloseKey(original);
    } else {
      RegSetValueExW(saved, kAbsent, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&created), 4);
    }
  }
  RegCloseKey(saved);
}

void Restore(const std::wstring& key) {
  HKEY saved = nullptr, original = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, (kSaved + key).c_str(), 0, KEY_READ, &saved)) return;
  RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
  if (RegQueryValueExW(saved, kAbsent, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS &&
      !RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                       &original, nullptr)) {
    RegCopyTreeW(saved, nullptr, original);
    RegCloseKey(original);
  }
  RegCloseKey(saved);
  RegDeleteTreeW(HKEY_CURRENT_USER, (kSaved + key).c_str());
}

void SetDefault(const std::wstring& key, const std::wstring& value) {
  RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

StandIns::StandIns(const std::wstring& helperFolder, Access access) {
  quit_ = CreateEventW(nullptr, TRUE, FALSE, stand_in::kQuitEvent);
  ResetEvent(quit_);
  DeleteFileW((helperFolder + stand_in::kCallLog).c_str());
  const std::wstring server = helperFolder + kServerExe;
  // Each class as a local server only: an in-process server would come first.
  for (const auto& standIn : stand_in::kClasses) {
    for (const auto& key : KeysOf(standIn)) {
      Save(key);
      RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    }
    SetDefault(KeysOf(standIn)[0] + L"\\CLSID", standIn.clsid);
    SetDefault(KeysOf(standIn)[1] + L"\\LocalServer32", L"\"" + server + L"\"");
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

StandIns::~StandIns() {
  SetEvent(quit_);
  // Servers that COM started for the launcher end on the event too.
  if (running_) running_->WaitForExit(5000);
  CloseHandle(quit_);
  for (const auto& standIn : stand_in::kClasses)
    for (const auto& key : KeysOf(standIn)) Restore(key);
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvaneTests");
}

}  // namespace e2e
