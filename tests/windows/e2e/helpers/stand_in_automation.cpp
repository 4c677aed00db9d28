// Stands in for Microsoft Access's "Access.Application", which Wine lacks: it
// answers CurrentDb().Properties("AppTitle").Value with a configured name and
// SysCmd(9) with a configured folder; started with --running it also
// registers itself as the running instance. Every call it answers is logged.

#include <windows.h>

#include <oleauto.h>

#include <map>
#include <string>

#include "dispatch_object.h"
#include "stand_in_record.h"

namespace e2e::stand_in {
namespace {

std::map<std::wstring, std::wstring> g_settings;

void ReadSettings() {
  HANDLE file = CreateFileW(BesideSelf(kServerSettings).c_str(), GENERIC_READ, FILE_SHARE_READ,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  std::wstring text(32768, L'\0');
  DWORD got = 0;
  ReadFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &got, nullptr);
  CloseHandle(file);
  text.resize(got / sizeof(wchar_t));
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    if (size_t equals = line.find(L'='); equals != std::wstring::npos)
      g_settings[line.substr(0, equals)] = line.substr(equals + 1);
    start = end + 1;
  }
}

void LogCall(const std::wstring& call) {
  AppendUtf16(BesideSelf(kServerCalls), call + L"\n");
}

std::wstring Describe(const VARIANT* argument) {
  if (!argument) return L"(none)";
  VARIANT text;
  VariantInit(&text);
  std::wstring value = L"?";
  if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(argument), 0, VT_BSTR)))
    value = text.bstrVal;
  VariantClear(&text);
  return L"vt=" + std::to_wstring(argument->vt) + L" " + value;
}

HRESULT ReturnText(VARIANT* result, const std::wstring& text) {
  if (result) {
    VariantInit(result);
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocString(text.c_str());
  }
  return S_OK;
}

HRESULT ReturnObject(VARIANT* result, IDispatch* object) {
  if (!result) {
    object->Release();
    return S_OK;
  }
  VariantInit(result);
  result->vt = VT_DISPATCH;
  result->pdispVal = object;
  return S_OK;
}

// A property of the open database; only AppTitle is known.
class Property : public DispatchObject {
 public:
  Property() : DispatchObject({{L"Value", DISPID_VALUE}}) {}
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                   EXCEPINFO* error, UINT*) override {
    if (member != DISPID_VALUE) return DISP_E_MEMBERNOTFOUND;
    LogCall(L"Value");
    if (g_settings[L"name_fails"] == L"1") return Raise(error, L"The property cannot be read.");
    return ReturnText(result, g_settings[L"name"]);
  }
};

class Database : public DispatchObject {
 public:
  Database() : DispatchObject({{L"Properties", 1}}) {}
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* error, UINT*) override {
    if (member != 1) return DISP_E_MEMBERNOTFOUND;
    const VARIANT* name = Argument(params, 0);
    LogCall(L"Properties " + Describe(name));
    // Access reports a missing property as the database engine's error 3270.
    constexpr SCODE kPropertyNotFound = MAKE_SCODE(SEVERITY_ERROR, FACILITY_CONTROL, 3270);
    if (!name || name->vt != VT_BSTR || _wcsicmp(name->bstrVal, L"AppTitle") != 0)
      return Raise(error, L"Property not found.", kPropertyNotFound);
    return ReturnObject(result, new Property);
  }
};

class Application : public DispatchObject {
 public:
  Application() : DispatchObject({{L"CurrentDb", 1}, {L"SysCmd", 2}}) {}
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* error, UINT*) override {
    if (member == 1) {
      LogCall(L"CurrentDb");
      return ReturnObject(result, new Database);
    }
    if (member == 2) {
      const VARIANT* action = Argument(params, 0);
      LogCall(L"SysCmd " + Describe(action));
      VARIANT number;
      VariantInit(&number);
      if (!action || FAILED(VariantChangeType(&number, const_cast<VARIANT*>(action), 0, VT_I4)) ||
          number.lVal != 9)
        return Raise(error, L"Unsupported SysCmd action.");
      return ReturnText(result, g_settings[L"folder"]);
    }
    return DISP_E_MEMBERNOTFOUND;
  }
};

// An instance created for a client. Like Access started by automation, it
// quits when the client lets go of it.
class CreatedApplication final : public Application {
 public:
  ~CreatedApplication() override { LogCall(L"Quit"); }
};

// Creates a new instance for every client.
class Factory : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *object = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives as long as the server
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    LogCall(L"CreateInstance Access.Application");
    auto* created = new CreatedApplication;
    const HRESULT result = created->QueryInterface(iid, object);
    created->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

// Serves calls until the quit event is set or the time is up, so that a
// server left behind by a failed scenario does not outlive the test run.
void Serve(HANDLE quit, DWORD lifetimeMs) {
  const ULONGLONG deadline = GetTickCount64() + lifetimeMs;
  for (;;) {
    ULONGLONG now = GetTickCount64();
    if (now >= deadline) return;
    DWORD woke =
        MsgWaitForMultipleObjects(1, &quit, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    if (woke != WAIT_OBJECT_0 + 1) return;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace
}  // namespace e2e::stand_in

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  using namespace e2e::stand_in;
  if (FAILED(CoInitialize(nullptr))) return 1;
  ReadSettings();
  HANDLE quit = CreateEventW(nullptr, TRUE, FALSE, kServerQuitEvent);
  auto* application = new Application;
  Factory factory;
  DWORD classCookie = 0;
  DWORD activeCookie = 0;
  bool running = wcsstr(commandLine, L"--running") != nullptr;
  HRESULT registered = CoRegisterClassObject(kServerClsid, &factory, CLSCTX_LOCAL_SERVER,
                                             REGCLS_MULTIPLEUSE, &classCookie);
  if (SUCCEEDED(registered) && running)
    registered =
        RegisterActiveObject(application, kServerClsid, ACTIVEOBJECT_STRONG, &activeCookie);
  if (SUCCEEDED(registered)) Serve(quit, 90000);
  if (activeCookie) RevokeActiveObject(activeCookie, nullptr);
  if (classCookie) CoRevokeClassObject(classCookie);
  application->Release();
  CloseHandle(quit);
  CoUninitialize();
  return SUCCEEDED(registered) ? 0 : 1;
}
