// One LocalServer32 for the automation classes the launcher uses and Wine
// cannot serve: "ADODB.Connection", "ADODB.Recordset" and "JRO.JetEngine"
// over small text files that play the databases, and "Access.Application".
// It logs every call for the scenarios to compare, and fails only where the
// launcher's way depends on it: a database that is not there, a compaction
// onto a file that exists, a count of a saved query or of a linked table.
// Started with --running it is also the running Access; copied to
// msaccess.exe and started on a database, it is the Access the launcher
// starts, which records how it was started and ends.
//
// A database file holds lines "link=<path>" (a linked table's database),
// "table=<name>\t<type>\t<rows>" (its type as ADO's schema of tables names
// it), "free=<bytes>" (room that compaction gives back) and
// "next-write=<line>" (another user's write, which lands in the database as
// soon as a compaction of it ends), and any others, which compaction keeps.

#include <windows.h>

#include <oleauto.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "files.h"
#include "stand_in_record.h"

namespace e2e::stand_in {
namespace {

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

// The values of the lines "<key>=<value>" of a stand-in database.
std::vector<std::wstring> Values(const std::vector<std::wstring>& lines, const std::wstring& key) {
  std::vector<std::wstring> values;
  for (const auto& line : lines)
    if (line.rfind(key + L"=", 0) == 0) values.push_back(line.substr(key.size() + 1));
  return values;
}

// The file a connection text names as its data source.
std::wstring DataSource(const std::wstring& connection) {
  std::wstring path;
  for (const auto& item : Split(connection, L';')) {
    std::wstring key = item.substr(0, item.find(L'='));
    CharLowerBuffW(key.data(), static_cast<DWORD>(key.size()));
    if (key.find(L"data source") != std::wstring::npos) path = item.substr(key.size() + 1);
  }
  return path.erase(path.find_last_not_of(L' ') + 1);
}

std::vector<std::wstring> Open(const std::wstring& connection) {
  const auto bytes = ReadBytes(DataSource(connection));
  if (!bytes) Fail(L"Could not find file '" + DataSource(connection) + L"'.");
  return Split(Wide(*bytes), L'\n');
}

using Args = std::vector<VARIANT*>;
// Answers a call of a member: fills the result or throws a Failure.
using Answer = std::function<void(const std::wstring& member, Args& args, VARIANT& result)>;

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
    if (made_) AppendLine(BesideSelf(kCallLog), name_ + L" released");
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
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID,
                                          DISPID* ids) override {
    auto& all = MemberNames();
    const auto found = std::find(all.begin(), all.end(), names[0]);
    ids[0] = static_cast<DISPID>(found - all.begin()) + 1;
    if (found == all.end()) all.emplace_back(names[0]);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* error, UINT*) override {
    const std::wstring member = MemberNames().at(id - 1);
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
    AppendLine(BesideSelf(kCallLog), call + L")");
    VARIANT ignored;
    VariantInit(result ? result : &ignored);
    try {
      answer_(member, args, result ? *result : ignored);
      VariantClear(&ignored);
      return S_OK;
    } catch (const Failure& failure) {
      *error = EXCEPINFO{};
      error->bstrSource = SysAllocString(name_.c_str());
      error->bstrDescription = SysAllocString(failure.text.c_str());
      error->scode = E_FAIL;
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
  bool counted = false;  // the values are numbers of rows (VT_I4)
  size_t row = 0, column = 0;
};

// A recordset, and also its Fields collection and a Field of it, which the
// launcher reads one after the other: Fields.Item(column).Value.
Answer Recordset(std::shared_ptr<Records> records = std::make_shared<Records>()) {
  return [records](const std::wstring& member, Args& args, VARIANT& result) {
    Records& r = *records;
    if (member == L"Open") {
      // Either query of the launcher's on a front-end finds its links.
      for (const auto& link : Values(Open(Text(Arg(args, 1))), L"link")) r.rows.push_back({link});
      r.columns = {L"Database"};
    } else if (member == L"Close") {
      r = Records{};
    } else if (member == L"EOF") {
      result.vt = VT_BOOL;
      result.boolVal = r.row >= r.rows.size() ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (member == L"MoveNext") {
      ++r.row;
    } else if (member == L"Fields") {
      Return(result, L"Fields", Recordset(records));
    } else if (member == L"Item") {
      const auto named = std::find(r.columns.begin(), r.columns.end(), Text(Arg(args, 0)));
      r.column = args[0]->vt == VT_BSTR ? named - r.columns.begin() : std::stoul(Text(args[0]));
      if (r.column >= r.columns.size()) Fail(L"Item cannot be found in the collection.");
      Return(result, L"Field", Recordset(records));
    } else if (member == L"Value" && r.counted) {
      result.vt = VT_I4;
      result.lVal = std::stol(r.rows.at(r.row)[r.column]);
    } else if (member == L"Value") {
      Return(result, r.rows.at(r.row)[r.column]);
    } else {
      Unknown(member);
    }
  };
}

// The connection text reads back, once open, with the provider before it.
Answer Connection() {
  struct State {
    std::wstring provider, text;
    std::vector<std::wstring> database;
  };
  return
      [state = std::make_shared<State>()](const std::wstring& member, Args& args, VARIANT& result) {
        State& s = *state;
        if (member == L"Provider") {
          s.provider = Text(Arg(args, 0));
        } else if (member == L"ConnectionString" && !args.empty()) {
          s.text = Text(args[0]);
        } else if (member == L"Open") {
          if (!Text(Arg(args, 0)).empty()) s.text = Text(args[0]);
          s.database = Open(s.text);
        } else if (member == L"ConnectionString") {
          Return(result, L"Provider=" + s.provider + L";" + s.text);
        } else if (member == L"Close") {
          s.database.clear();
        } else if (member == L"OpenSchema" || member == L"Execute") {
          auto records = std::make_shared<Records>();
          records->counted = member == L"Execute";
          records->columns = {L"TABLE_NAME", L"TABLE_TYPE"};
          const std::wstring asked = Text(Arg(args, 0));
          for (const auto& table : Values(s.database, L"table")) {
            const auto parts = Split(table, L'\t');  // name, type, rows
            if (!records->counted) records->rows.push_back({parts[0], parts[1]});
            if (records->counted && asked == L"SELECT COUNT(*) FROM [" + parts[0] + L"]") {
              // A saved query here asks for a parameter, and a linked table's
              // database is elsewhere, so neither can be counted.
              if (parts[1] == L"VIEW") Fail(L"Too few parameters. Expected 1.");
              if (parts[1] == L"LINK") Fail(L"Could not find the linked table's database.");
              records->rows.push_back({parts[2]});
            }
          }
          Return(result, L"Recordset", Recordset(records));
        } else {
          Unknown(member);
        }
      };
}

// Writes the source without its free room as a new file; another user's
// writes waiting for the compaction to end then land in the source.
void CompactDatabase(const std::wstring& member, Args& args, VARIANT&) {
  if (member != L"CompactDatabase") Unknown(member);
  const auto source = Open(Text(Arg(args, 0)));
  const std::wstring destination = DataSource(Text(Arg(args, 1)));
  if (GetFileAttributesW(destination.c_str()) != INVALID_FILE_ATTRIBUTES)
    Fail(L"Database already exists.");
  std::wstring text;
  for (const auto& line : source)
    if (line.rfind(L"free=", 0) != 0) text += line + L"\n";
  WriteBytes(destination, Utf8(text));
  for (const auto& line : Values(source, L"next-write"))
    AppendLine(DataSource(Text(args[0])), line);
}

// An Access whose open database is Korvane, and that database and its property:
// CurrentDb().Properties(...).Value answers its title and SysCmd(...) the folder of
// msaccess.exe, whichever property or action is asked; the call log tells which.
void Application(const std::wstring& member, Args&, VARIANT& result) {
  if (member == L"SysCmd") return Return(result, kHostFolder);
  if (member == L"CurrentDb") return Return(result, L"Database", Application);
  if (member == L"Properties") return Return(result, L"Property", Application);
  if (member != L"Value") Unknown(member);
  Return(result, L"Korvane");
}

// Makes a new object of one class for each caller; lives as long as the server.
class Factory final : public IClassFactory {
 public:
  Factory(const wchar_t* progId, std::function<Answer()> make)
      : progId_(progId), make_(std::move(make)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == IID_IClassFactory ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** out) override {
    AppendLine(BesideSelf(kCallLog), std::wstring(L"new ") + progId_);
    // Named by its ProgID's last part: "Connection" for ADODB.Connection.
    IDispatch* made = new Object(wcschr(progId_, L'.') + 1, make_(), true);
    const HRESULT result = made->QueryInterface(iid, out);
    made->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  const wchar_t* progId_;
  std::function<Answer()> make_;
};

DWORD WINAPI EndAfterTwoMinutes(void*) {
  Sleep(120000);
  ExitProcess(3);
}

}  // namespace
}  // namespace e2e::stand_in

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  using namespace e2e;
  using namespace e2e::stand_in;
  if (!wcsstr(commandLine, L"-Embedding") && !wcsstr(commandLine, L"--running")) {
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    AppendLine(BesideSelf(kStartRecord), std::wstring(GetCommandLineW()) + L"\t" +
                                             std::to_wstring(startup.dwFlags) + L"\t" +
                                             std::to_wstring(startup.wShowWindow));
    return 0;
  }
  // Whatever a failed scenario leaves it doing (one has been seen to spin
  // at full speed long after its client died), it ends in two minutes.
  CreateThread(nullptr, 0, EndAfterTwoMinutes, nullptr, 0, nullptr);
  if (FAILED(CoInitialize(nullptr))) return 1;
  HANDLE quit = CreateEventW(nullptr, TRUE, FALSE, kQuitEvent);
  Factory factories[] = {{kClasses[0].progId, [] { return Answer(Application); }},
                         {kClasses[1].progId, Connection},
                         {kClasses[2].progId, [] { return Recordset(); }},
                         {kClasses[3].progId, [] { return Answer(CompactDatabase); }}};
  DWORD cookies[std::size(factories)] = {};
  bool registered = true;
  for (size_t i = 0; i < std::size(factories); ++i) {
    CLSID clsid;
    CLSIDFromString(kClasses[i].clsid, &clsid);
    registered &= SUCCEEDED(CoRegisterClassObject(clsid, &factories[i], CLSCTX_LOCAL_SERVER,
                                                  REGCLS_MULTIPLEUSE, &cookies[i]));
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
