// One LocalServer32 for the automation classes the launcher uses and Wine
// cannot serve: "ADODB.Connection", "ADODB.Recordset" and "JRO.JetEngine"
// over small text files that play the databases, and "Access.Application".
// It checks what Jet checks (the provider, the files, the workgroup account,
// the database password, that a compaction's source is open nowhere else)
// and logs every call. Started with --running it is also the running Access;
// copied to msaccess.exe and started on a database, it is the Access the
// launcher starts, which records how it was started and ends at once.
//
// A database file: "stand-in database", then "password=<database password>",
// "secured=1" (opened only under a workgroup file), "link=<path>" (a linked
// table's database), "table=<name>\t<type>\t<rows>" and "free=<bytes>" (room
// that compaction gives back). A workgroup file: "stand-in workgroup", then
// "account=<name> <password>".

#include <windows.h>

#include <oleauto.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "stand_in_record.h"

namespace e2e::stand_in {
namespace {

constexpr DWORD kShared = FILE_SHARE_READ | FILE_SHARE_WRITE;

struct Failure {
  std::wstring text;
};
[[noreturn]] void Fail(const std::wstring& text) {
  throw Failure{text};
}

std::wstring Text(VARIANT* value) {
  VARIANT text;
  VariantInit(&text);
  std::wstring result;
  if (value && SUCCEEDED(VariantChangeType(&text, value, 0, VT_BSTR)))
    result.assign(text.bstrVal, SysStringLen(text.bstrVal));
  VariantClear(&text);
  return result;
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
  std::vector<std::wstring> parts(1);
  for (wchar_t c : text) {
    if (c == separator) {
      parts.emplace_back();
    } else {
      parts.back().push_back(c);
    }
  }
  return parts;
}

// A connection text's key=value pairs, keys in lower case, values without
// surrounding blanks and single quotes.
using Keys = std::map<std::wstring, std::wstring>;
Keys Parse(const std::wstring& text) {
  auto trim = [](const std::wstring& part) {
    const size_t first = part.find_first_not_of(L" '"), last = part.find_last_not_of(L" '");
    return first == std::wstring::npos ? std::wstring() : part.substr(first, last - first + 1);
  };
  Keys keys;
  for (const auto& item : Split(text, L';')) {
    std::wstring key = trim(item.substr(0, item.find(L'=')));
    CharLowerBuffW(key.data(), static_cast<DWORD>(key.size()));
    if (item.find(L'=') != std::wstring::npos) keys[key] = trim(item.substr(item.find(L'=') + 1));
  }
  return keys;
}

// A stand-in file, held open as Jet holds a database for as long as it is used.
struct File {
  std::shared_ptr<void> handle;
  std::vector<std::wstring> lines;
  std::vector<std::wstring> All(const std::wstring& key) const {
    std::vector<std::wstring> values;
    for (const auto& line : lines)
      if (line.rfind(key + L"=", 0) == 0) values.push_back(line.substr(key.size() + 1));
    return values;
  }
  std::wstring Get(const std::wstring& key) const { return All(key).empty() ? L"" : All(key)[0]; }
};

File Load(const std::wstring& path, DWORD share, const wchar_t* kind) {
  HANDLE handle =
      CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    Fail(GetLastError() == ERROR_SHARING_VIOLATION ? L"The file '" + path + L"' is already in use."
                                                   : L"Could not find file '" + path + L"'.");
  File file{std::shared_ptr<void>(handle, CloseHandle), {}};
  std::string bytes(GetFileSize(handle, nullptr), '\0');
  DWORD got = 0;
  ReadFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  std::wstring text(got, L'\0');
  text.resize(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(got), text.data(),
                                  static_cast<int>(got)));
  file.lines = Split(text, L'\n');
  if (file.lines[0] != kind) Fail(L"Unrecognized database format '" + path + L"'.");
  return file;
}

// Opens the database a connection text names, as Jet would or would not.
File OpenDatabase(Keys keys, DWORD share) {
  if (keys[L"provider"] != L"Microsoft.Jet.OLEDB.4.0") Fail(L"Provider cannot be found.");
  File database = Load(keys[L"data source"], share, L"stand-in database");
  if (database.Get(L"password") != keys[L"jet oledb:database password"])
    Fail(L"Not a valid password.");
  if (database.Get(L"secured") == L"1" &&
      Load(keys[L"jet oledb:system database"], kShared, L"stand-in workgroup").Get(L"account") !=
          keys[L"user id"] + L" " + keys[L"password"])
    Fail(L"Not a valid account name or password.");
  return database;
}

using Args = std::vector<VARIANT*>;
// Answers a call of a member: fills the result or throws a Failure.
using Answer = std::function<void(const std::wstring& member, bool put, Args& args, VARIANT&)>;

std::vector<std::wstring>& MemberNames() {
  static std::vector<std::wstring> names;
  return names;
}

// A late-bound object: any name gets an id, and the object's answer decides
// which members it has. Each call is logged before it is answered.
class Object final : public IDispatch {
 public:
  // A made object's release is logged as "<name> released": an Access the
  // launcher started through automation quits then.
  Object(const wchar_t* name, Answer answer, bool made = false)
      : name_(name), answer_(std::move(answer)), made_(made) {}
  ~Object() {
    if (made_) AppendUtf16(BesideSelf(kCallLog), name_ + L" released\n");
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (count != 1) return DISP_E_UNKNOWNNAME;  // no named arguments
    auto& all = MemberNames();
    const auto found = std::find(all.begin(), all.end(), names[0]);
    ids[0] = static_cast<DISPID>(found - all.begin()) + 1;
    if (found == all.end()) all.emplace_back(names[0]);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* error, UINT*) override {
    if (id < 1 || static_cast<size_t>(id) > MemberNames().size()) return DISP_E_MEMBERNOTFOUND;
    const std::wstring member = MemberNames()[id - 1];
    const bool put = kind & DISPATCH_PROPERTYPUT;
    // Automation sets a property through the one named argument it reserves.
    if (put && (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
      return DISP_E_PARAMNOTOPTIONAL;
    Args args;
    std::wstring call = name_ + L"." + member + (put ? L"=(" : L"(");
    for (UINT i = params->cArgs; i-- > 0;) {
      args.push_back(&params->rgvarg[i]);
      call += (args.size() > 1 ? L"," : L"") + std::to_wstring(args.back()->vt) + L":" +
              Text(args.back());
    }
    AppendUtf16(BesideSelf(kCallLog), call + L")\n");
    VARIANT ignored;
    VariantInit(result ? result : &ignored);
    try {
      answer_(member, put, args, result ? *result : ignored);
      VariantClear(&ignored);
      return S_OK;
    } catch (const Failure& failure) {
      if (error) {
        *error = EXCEPINFO{};
        error->bstrSource = SysAllocString(name_.c_str());
        error->bstrDescription = SysAllocString(failure.text.c_str());
        error->scode = E_FAIL;
      }
      return DISP_E_EXCEPTION;
    }
  }

 private:
  std::wstring name_;
  Answer answer_;
  bool made_;
  LONG references_ = 1;
};

VARIANT* Arg(Args& args, size_t index) {
  if (index >= args.size()) Fail(L"Wrong number of arguments.");
  return args[index];
}
void Return(VARIANT& result, const std::wstring& text) {
  result.vt = VT_BSTR;
  result.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}
void Return(VARIANT& result, const wchar_t* name, Answer answer) {
  result.vt = VT_DISPATCH;
  result.pdispVal = new Object(name, std::move(answer));
}
[[noreturn]] void Unknown(const std::wstring& member) {
  Fail(L"Unknown member " + member + L".");
}

struct Records {
  std::vector<std::wstring> columns;
  std::vector<std::vector<std::wstring>> rows;
  bool open = false;
  bool counted = false;  // the one value is a number of rows (VT_I4)
  size_t row = 0;
  File database;  // the recordset's own connection
};

Answer Recordset(std::shared_ptr<Records> records = std::make_shared<Records>()) {
  return [records](const std::wstring& member, bool, Args& args, VARIANT& result) {
    Records& r = *records;
    if (member == L"Open") {
      if (args.size() != 5) Fail(L"Wrong number of arguments.");
      r.database = OpenDatabase(Parse(Text(args[1])), kShared);
      const std::wstring sql = Text(args[0]);
      if (sql != kDiscoveryQuery && sql != kProbeQuery) Fail(L"Cannot find the input table.");
      for (const auto& link : r.database.All(L"link"))
        if (sql == kDiscoveryQuery) r.rows.push_back({link});
      if (sql == kProbeQuery) r.rows.push_back({L"1"});
      r.columns = {L"Database"};
      r.open = true;
    } else if (!r.open) {
      Fail(L"Operation is not allowed when the object is closed.");
    } else if (member == L"Close") {
      r = Records{};
    } else if (member == L"EOF") {
      result.vt = VT_BOOL;
      result.boolVal = r.row >= r.rows.size() ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (member == L"MoveNext") {
      ++r.row;
    } else if (member != L"Fields") {
      Unknown(member);
    } else {
      Return(result, L"Fields",
             [records](const std::wstring& item, bool, Args& key, VARIANT& field) {
               if (item != L"Item") Unknown(item);
               const auto& columns = records->columns;
               const size_t column =
                   Arg(key, 0)->vt == VT_BSTR
                       ? std::find(columns.begin(), columns.end(), Text(key[0])) - columns.begin()
                       : std::stoul(Text(key[0]));
               if (column >= columns.size()) Fail(L"Item cannot be found in the collection.");
               Return(field, L"Field",
                      [records, column](const std::wstring& value, bool, Args&, VARIANT& result) {
                        if (value != L"Value") Unknown(value);
                        const Records& r = *records;
                        if (r.row >= r.rows.size()) Fail(L"Either BOF or EOF is True.");
                        if (!r.counted) return Return(result, r.rows[r.row][column]);
                        result.vt = VT_I4;
                        result.lVal = std::stol(r.rows[r.row][column]);
                      });
             });
    }
  };
}

// The connection string reads back, once open, in the provider's own form.
Answer Connection() {
  struct State {
    std::wstring provider, text;
    Keys keys;
    std::unique_ptr<File> database;
  };
  return [state = std::make_shared<State>()](const std::wstring& member, bool put, Args& args,
                                             VARIANT& result) {
    State& s = *state;
    if (member == L"Provider" && put) {
      s.provider = Text(Arg(args, 0));
    } else if (member == L"ConnectionString" && put) {
      s.text = Text(Arg(args, 0));
    } else if (member == L"Open") {
      if (args.size() != 4) Fail(L"Wrong number of arguments.");
      if (!Text(args[0]).empty()) s.text = Text(args[0]);
      s.keys = Parse(s.text);
      if (!s.provider.empty()) s.keys.emplace(L"provider", s.provider);
      s.database = std::make_unique<File>(OpenDatabase(s.keys, kShared));
    } else if (!s.database) {
      Fail(L"Operation is not allowed when the object is closed.");
    } else if (member == L"ConnectionString") {
      Return(result, L"Provider=" + s.keys[L"provider"] + L";User ID=" + s.keys[L"user id"] +
                         L";Password=" + s.keys[L"password"] + L";Data Source=" +
                         s.keys[L"data source"] + L";Mode=Share Deny None;" +
                         L"Jet OLEDB:System database=" + s.keys[L"jet oledb:system database"]);
    } else if (member == L"Close") {
      s.database.reset();
    } else if (member == L"OpenSchema" || member == L"Execute") {
      auto records = std::make_shared<Records>();
      records->open = true;
      records->counted = member == L"Execute";
      records->columns = {L"TABLE_NAME", L"TABLE_TYPE"};
      const std::wstring asked = Text(Arg(args, 0));
      for (const auto& table : s.database->All(L"table")) {
        const auto parts = Split(table, L'\t');  // name, type, rows
        if (!records->counted) records->rows.push_back({parts[0], parts[1]});
        if (records->counted && asked == L"SELECT COUNT(*) FROM [" + parts[0] + L"]") {
          // A saved query here asks for a parameter, so it cannot be counted.
          if (parts[1] == L"VIEW") Fail(L"Too few parameters. Expected 1.");
          records->rows.push_back({parts[2]});
        }
      }
      if (records->counted ? records->rows.empty() : asked != L"20")
        Fail(L"Cannot find the input table.");
      Return(result, L"Recordset", Recordset(records));
    } else {
      Unknown(member);
    }
  };
}

// Writes the source without its free room, under the destination's
// password; the source must be open nowhere else.
void CompactDatabase(const std::wstring& member, bool, Args& args, VARIANT&) {
  if (member != L"CompactDatabase") Unknown(member);
  Keys destination = Parse(Text(Arg(args, 1)));
  const File source = OpenDatabase(Parse(Text(Arg(args, 0))), 0);
  if (destination[L"provider"] != L"Microsoft.Jet.OLEDB.4.0") Fail(L"Provider cannot be found.");
  std::wstring text =
      source.lines[0] + L"\npassword=" + destination[L"jet oledb:database password"];
  for (const auto& line : source.lines)
    if (&line != &source.lines[0] && line.rfind(L"password=", 0) != 0 &&
        line.rfind(L"free=", 0) != 0)
      text += L"\n" + line;
  std::string bytes(text.size() * 3, '\0');
  bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                   bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr));
  HANDLE file = CreateFileW(destination[L"data source"].c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_NEW, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fail(L"Database already exists or cannot be written.");
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// An Access whose open database is Korvane: CurrentDb().Properties(...).Value
// answers its title whichever property is asked, the call log tells which;
// SysCmd(9) answers the folder of msaccess.exe.
void Application(const std::wstring& member, bool, Args& args, VARIANT& result) {
  if (member == L"SysCmd") {
    if (Text(Arg(args, 0)) != L"9") Fail(L"Unsupported SysCmd action.");
    return Return(result, kHostFolder);
  }
  if (member != L"CurrentDb") Unknown(member);
  Return(result, L"Database", [](const std::wstring& member, bool, Args&, VARIANT& result) {
    if (member != L"Properties") Unknown(member);
    Return(result, L"Property", [](const std::wstring& member, bool, Args&, VARIANT& result) {
      if (member != L"Value") Unknown(member);
      Return(result, L"Korvane");
    });
  });
}

// Makes a new object of one class for each caller; lives as long as the server.
class Factory final : public IClassFactory {
 public:
  // An object is named by its ProgID's last part: "Connection" for ADODB.Connection.
  Factory(StandInClass standIn, Answer (*make)())
      : standIn_(standIn), name_(wcschr(standIn.progId, L'.') + 1), make_(make) {}
  const wchar_t* clsid() const { return standIn_.clsid; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == IID_IClassFactory ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    AppendUtf16(BesideSelf(kCallLog), std::wstring(L"new ") + standIn_.progId + L"\n");
    IDispatch* made = new Object(name_, make_(), true);
    const HRESULT result = made->QueryInterface(iid, out);
    made->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  StandInClass standIn_;
  const wchar_t* name_;
  Answer (*make_)();
};

}  // namespace
}  // namespace e2e::stand_in

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  using namespace e2e::stand_in;
  if (!wcsstr(commandLine, L"-Embedding") && !wcsstr(commandLine, L"--running")) {
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    AppendUtf16(BesideSelf(kStartRecord), std::wstring(GetCommandLineW()) + L"\t" +
                                              std::to_wstring(startup.dwFlags) + L"\t" +
                                              std::to_wstring(startup.wShowWindow) + L"\n");
    return 0;
  }
  if (FAILED(CoInitialize(nullptr))) return 1;
  HANDLE quit = CreateEventW(nullptr, TRUE, FALSE, kQuitEvent);
  Factory factories[] = {{kClasses[0], [] { return Answer(Application); }},
                         {kClasses[1], Connection},
                         {kClasses[2], [] { return Recordset(); }},
                         {kClasses[3], [] { return Answer(CompactDatabase); }}};
  std::vector<DWORD> cookies;
  bool registered = true;
  for (auto& factory : factories) {
    CLSID clsid;
    CLSIDFromString(factory.clsid(), &clsid);
    cookies.push_back(0);
    registered &= SUCCEEDED(CoRegisterClassObject(clsid, &factory, CLSCTX_LOCAL_SERVER,
                                                  REGCLS_MULTIPLEUSE, &cookies.back()));
  }
  IDispatch* application = new Object(L"Application", Application);
  DWORD active = 0;
  if (wcsstr(commandLine, L"--running")) {
    CLSID clsid;
    CLSIDFromString(kClasses[0].clsid, &clsid);
    registered &= SUCCEEDED(RegisterActiveObject(application, clsid, ACTIVEOBJECT_STRONG, &active));
  }
  // Serves calls until the quit event is set, or for a minute and a half at
  // most, so that a server left behind by a failed scenario ends by itself.
  for (ULONGLONG now, end = GetTickCount64() + 90000;
       registered && (now = GetTickCount64()) < end;) {
    if (MsgWaitForMultipleObjects(1, &quit, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT) !=
        WAIT_OBJECT_0 + 1)
      break;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  if (active) RevokeActiveObject(active, nullptr);
  for (DWORD cookie : cookies) CoRevokeClassObject(cookie);
  application->Release();
  CloseHandle(quit);
  CoUninitialize();
  return registered ? 0 : 1;
}
