// One LocalServer32 for the automation classes the launcher uses and Wine
// cannot serve: "ADODB.Connection", "ADODB.Recordset" and "JRO.JetEngine"
// over small text files that play the databases, and "Access.Application".
// It checks what Jet checks (the provider, the files, the workgroup account,
// the database password, that a compaction's source is not open elsewhere)
// and logs every call. Started with --running it is also the running Access.
//
// A database file: "stand-in database", then "password=<database password>",
// "secured=1" (opened only under a workgroup file), "link=<path>" (a linked
// table's database), "table=<name>\t<type>\t<rows>" and "free=<bytes>" (room
// that compaction gives back). A workgroup file: "stand-in workgroup", then
// "account=<name> <password>".

#include <windows.h>

#include <oleauto.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "stand_in_record.h"

namespace e2e::stand_in {
namespace {

constexpr DWORD kShared = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr HRESULT kClosed = 0x800A0E78;  // ADO: the object is closed

struct Failure {
  std::wstring text;
  HRESULT code;
};
[[noreturn]] void Fail(const std::wstring& text, HRESULT code = E_FAIL) {
  throw Failure{text, code};
}

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
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

// A connection text's key=value pairs, keys in lower case, values without
// surrounding blanks and single quotes.
using Keys = std::map<std::wstring, std::wstring>;
Keys Parse(const std::wstring& text) {
  Keys keys;
  auto trim = [](const std::wstring& part) {
    const size_t first = part.find_first_not_of(L" '"), last = part.find_last_not_of(L" '");
    return first == std::wstring::npos ? std::wstring() : part.substr(first, last - first + 1);
  };
  for (size_t at = 0, end; at < text.size(); at = end + 1) {
    end = std::min(text.find(L';', at), text.size());
    const std::wstring item = text.substr(at, end - at);
    const size_t equals = item.find(L'=');
    if (equals != std::wstring::npos)
      keys[Lower(trim(item.substr(0, equals)))] = trim(item.substr(equals + 1));
  }
  return keys;
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

// A stand-in file as Jet holds a database: open for as long as it is used.
struct File {
  HANDLE handle = INVALID_HANDLE_VALUE;
  std::vector<std::wstring> lines;
  ~File() { CloseHandle(handle); }
  std::vector<std::wstring> All(const std::wstring& key) const {
    std::vector<std::wstring> values;
    for (const auto& line : lines)
      if (line.rfind(key + L"=", 0) == 0) values.push_back(line.substr(key.size() + 1));
    return values;
  }
  std::wstring Get(const std::wstring& key) const {
    auto values = All(key);
    return values.empty() ? L"" : values[0];
  }
};

std::unique_ptr<File> Load(const std::wstring& path, DWORD share, const wchar_t* kind) {
  auto file = std::make_unique<File>();
  file->handle = CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file->handle == INVALID_HANDLE_VALUE)
    Fail(GetLastError() == ERROR_SHARING_VIOLATION ? L"The file '" + path + L"' is already in use."
                                                   : L"Could not find file '" + path + L"'.");
  std::string bytes(GetFileSize(file->handle, nullptr), '\0');
  DWORD got = 0;
  ReadFile(file->handle, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  std::wstring text(bytes.size(), L'\0');
  text.resize(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(got), text.data(),
                                  static_cast<int>(text.size())));
  file->lines = Split(text, L'\n');
  if (file->lines[0] != kind) Fail(L"Unrecognized database format '" + path + L"'.");
  return file;
}

// Opens the database a connection text names, as Jet would or would not.
std::unique_ptr<File> OpenDatabase(Keys keys, DWORD share) {
  if (Lower(keys[L"provider"]) != L"microsoft.jet.oledb.4.0")
    Fail(L"Provider cannot be found. It may not be properly installed.", 0x800A0E7A);
  auto database = Load(keys[L"data source"], share, L"stand-in database");
  if (database->Get(L"password") != keys[L"jet oledb:database password"])
    Fail(L"Not a valid password.");
  if (database->Get(L"secured") == L"1") {
    auto workgroup = Load(keys[L"jet oledb:system database"], kShared, L"stand-in workgroup");
    if (workgroup->Get(L"account") != keys[L"user id"] + L" " + keys[L"password"])
      Fail(L"Not a valid account name or password.");
  }
  return database;
}

std::wstring Setting(const std::wstring& key) {
  return Load(BesideSelf(kAccessSettings), kShared, L"stand-in access")->Get(key);
}

std::vector<std::wstring>& MemberNames() {
  static std::vector<std::wstring> names;
  return names;
}

// A late-bound object: any name gets an id, and the object's Answer decides
// which members it has. Each call is logged before it is answered.
class Object : public IDispatch {
 public:
  explicit Object(const wchar_t* name) : name_(name) {}
  virtual ~Object() = default;

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
    const std::wstring& member = MemberNames()[id - 1];
    const bool put = kind & DISPATCH_PROPERTYPUT;
    std::vector<VARIANT*> args;
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
      Answer(member, put, args, *(result ? result : &ignored));
      VariantClear(&ignored);
      return S_OK;
    } catch (const Failure& failure) {
      if (error) {
        *error = EXCEPINFO{};
        error->bstrSource = SysAllocString(name_.c_str());
        error->bstrDescription = SysAllocString(failure.text.c_str());
        error->scode = failure.code;
      }
      return DISP_E_EXCEPTION;
    }
  }

 protected:
  virtual void Answer(const std::wstring& member, bool put, std::vector<VARIANT*>& args,
                      VARIANT& result) = 0;

  static VARIANT* Arg(std::vector<VARIANT*>& args, size_t index) {
    if (index >= args.size()) Fail(L"Wrong number of arguments.", DISP_E_BADPARAMCOUNT);
    return args[index];
  }
  static void Return(VARIANT& result, const std::wstring& text) {
    result.vt = VT_BSTR;
    result.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  }
  static void Return(VARIANT& result, IDispatch* object) {
    result.vt = VT_DISPATCH;
    result.pdispVal = object;
  }

 private:
  std::wstring name_;
  LONG references_ = 1;
};

[[noreturn]] void Unknown(const std::wstring& member) {
  Fail(L"Unknown member " + member + L".", DISP_E_MEMBERNOTFOUND);
}

class Recordset : public Object {
 public:
  Recordset() : Object(L"Recordset") {}
  Recordset(std::vector<std::wstring> columns, std::vector<std::vector<std::wstring>> rows,
            bool counted)
      : Object(L"Recordset"),
        columns(std::move(columns)),
        rows(std::move(rows)),
        open(true),
        counted(counted) {}

  std::vector<std::wstring> columns;
  std::vector<std::vector<std::wstring>> rows;
  size_t row = 0;
  bool open = false;
  bool counted = false;  // the one value is a number of rows (VT_I4)

  void Answer(const std::wstring& member, bool, std::vector<VARIANT*>& args,
              VARIANT& result) override {
    if (member == L"Open") {
      if (args.size() != 5) Fail(L"Wrong number of arguments.", DISP_E_BADPARAMCOUNT);
      database_ = OpenDatabase(Parse(Text(args[1])), kShared);
      const std::wstring sql = Text(args[0]);
      if (sql == kDiscoveryQuery) {
        for (const auto& link : database_->All(L"link")) rows.push_back({link});
      } else if (sql == kProbeQuery) {
        for (const auto& link : database_->All(L"link")) Load(link, kShared, L"stand-in database");
        rows.push_back({L"1"});
      } else {
        Fail(L"The Microsoft Jet database engine cannot find the input table or query.");
      }
      columns = {L"Database"};
      open = true;
    } else if (member == L"Close") {
      if (!open) Fail(L"Operation is not allowed when the object is closed.", kClosed);
      open = false;
      database_.reset();
    } else if (member == L"EOF") {
      result.vt = VT_BOOL;
      result.boolVal = row >= rows.size() ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (member == L"MoveNext") {
      ++row;
    } else if (member == L"Fields") {
      Return(result, new Fields(this));
    } else {
      Unknown(member);
    }
  }

 private:
  class Field : public Object {
   public:
    Field(Recordset* records, size_t column)
        : Object(L"Field"), records_(records), column_(column) {
      records_->AddRef();
    }
    ~Field() override { records_->Release(); }
    void Answer(const std::wstring& member, bool, std::vector<VARIANT*>&,
                VARIANT& result) override {
      if (member != L"Value") Unknown(member);
      if (!records_->open) Fail(L"Operation is not allowed when the object is closed.", kClosed);
      if (records_->row >= records_->rows.size())
        Fail(L"Either BOF or EOF is True, or the current record has been deleted.", 0x800A0BCD);
      const std::wstring& value = records_->rows[records_->row][column_];
      if (!records_->counted) return Return(result, value);
      result.vt = VT_I4;
      result.lVal = std::stol(value);
    }

   private:
    Recordset* records_;
    size_t column_;
  };
  class Fields : public Object {
   public:
    explicit Fields(Recordset* records) : Object(L"Fields"), records_(records) {
      records_->AddRef();
    }
    ~Fields() override { records_->Release(); }
    void Answer(const std::wstring& member, bool, std::vector<VARIANT*>& args,
                VARIANT& result) override {
      if (member != L"Item") Unknown(member);
      VARIANT* key = Arg(args, 0);
      const auto& columns = records_->columns;
      size_t column = key->vt == VT_BSTR
                          ? std::find(columns.begin(), columns.end(), Text(key)) - columns.begin()
                          : std::stoul(Text(key));
      if (column >= columns.size())
        Fail(
            L"Item cannot be found in the collection corresponding to the requested name or "
            L"ordinal.",
            0x800A0CC1);
      Return(result, new Field(records_, column));
    }

   private:
    Recordset* records_;
  };

  std::unique_ptr<File> database_;
};

class Connection : public Object {
 public:
  Connection() : Object(L"Connection") {}
  void Answer(const std::wstring& member, bool put, std::vector<VARIANT*>& args,
              VARIANT& result) override {
    if (member == L"Provider" || member == L"ConnectionString") {
      std::wstring& value = member == L"Provider" ? provider_ : text_;
      if (put) value = Text(Arg(args, 0));
      // Once open, the connection string reads back in the provider's own form.
      if (!put) Return(result, database_ && &value == &text_ ? Expanded() : value);
    } else if (member == L"Open") {
      if (args.size() != 4) Fail(L"Wrong number of arguments.", DISP_E_BADPARAMCOUNT);
      if (!Text(args[0]).empty()) text_ = Text(args[0]);
      keys_ = Parse(text_);
      if (!provider_.empty()) keys_.emplace(L"provider", provider_);
      database_ = OpenDatabase(keys_, kShared);
    } else if (!database_) {
      Fail(L"Operation is not allowed when the object is closed.", kClosed);
    } else if (member == L"Close") {
      database_.reset();
    } else if (member == L"OpenSchema") {
      if (Text(Arg(args, 0)) != L"20") Fail(L"Only the table schema is known.", E_INVALIDARG);
      std::vector<std::vector<std::wstring>> tables;
      for (const auto& table : database_->All(L"table")) {
        const auto parts = Split(table, L'\t');
        tables.push_back({parts[0], parts[1]});
      }
      Return(result, new Recordset({L"TABLE_NAME", L"TABLE_TYPE"}, std::move(tables), false));
    } else if (member == L"Execute") {
      const std::wstring sql = Text(Arg(args, 0)), head = L"SELECT COUNT(*) FROM [";
      for (const auto& table : database_->All(L"table")) {
        const auto parts = Split(table, L'\t');
        if (sql == head + parts[0] + L"]")
          return Return(result, new Recordset({L"Expr1000"}, {{parts[2]}}, true));
      }
      Fail(L"The Microsoft Jet database engine cannot find the input table or query.");
    } else {
      Unknown(member);
    }
  }

 private:
  std::wstring Expanded() {
    return L"Provider=" + keys_[L"provider"] + L";User ID=" + keys_[L"user id"] + L";Password=" +
           keys_[L"password"] + L";Data Source=" + keys_[L"data source"] +
           L";Mode=Share Deny None;Jet OLEDB:System database=" +
           keys_[L"jet oledb:system database"];
  }
  std::wstring provider_, text_;
  Keys keys_;
  std::unique_ptr<File> database_;
};

class JetEngine : public Object {
 public:
  JetEngine() : Object(L"JetEngine") {}
  // Writes the source without its free room, under the destination's
  // password; the source must be open nowhere else.
  void Answer(const std::wstring& member, bool, std::vector<VARIANT*>& args, VARIANT&) override {
    if (member != L"CompactDatabase") Unknown(member);
    Keys destination = Parse(Text(Arg(args, 1)));
    const auto source = OpenDatabase(Parse(Text(Arg(args, 0))), 0);
    if (Lower(destination[L"provider"]) != L"microsoft.jet.oledb.4.0")
      Fail(L"Provider cannot be found. It may not be properly installed.", 0x800A0E7A);
    std::wstring text =
        source->lines[0] + L"\npassword=" + destination[L"jet oledb:database password"];
    for (size_t i = 1; i < source->lines.size(); ++i) {
      const std::wstring& line = source->lines[i];
      if (line.rfind(L"password=", 0) != 0 && line.rfind(L"free=", 0) != 0) text += L"\n" + line;
    }
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                     bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                     nullptr));
    const std::wstring path = destination[L"data source"];
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
      Fail(GetLastError() == ERROR_FILE_EXISTS ? L"Database already exists."
                                               : L"Could not write '" + path + L"'.");
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
};

class Property : public Object {
 public:
  Property() : Object(L"Property") {}
  void Answer(const std::wstring& member, bool, std::vector<VARIANT*>&, VARIANT& result) override {
    if (member != L"Value") Unknown(member);
    Return(result, Setting(L"name"));
  }
};

class AccessDatabase : public Object {
 public:
  AccessDatabase() : Object(L"Database") {}
  void Answer(const std::wstring& member, bool, std::vector<VARIANT*>& args,
              VARIANT& result) override {
    if (member != L"Properties") Unknown(member);
    // Access reports a missing property as the database engine's error 3270.
    if (Text(Arg(args, 0)) != L"AppTitle")
      Fail(L"Property not found.", MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 3270));
    Return(result, new Property);
  }
};

class Application : public Object {
 public:
  Application() : Object(L"Application") {}
  void Answer(const std::wstring& member, bool, std::vector<VARIANT*>& args,
              VARIANT& result) override {
    if (member == L"CurrentDb") return Return(result, new AccessDatabase);
    if (member != L"SysCmd") Unknown(member);
    if (Text(Arg(args, 0)) != L"9") Fail(L"Unsupported SysCmd action.");
    Return(result, Setting(L"folder"));
  }
};

// Makes a new object of one class for each caller; lives as long as the server.
class Factory : public IClassFactory {
 public:
  Factory(const wchar_t* progId, Object* (*make)()) : progId_(progId), make_(make) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == IID_IClassFactory ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    AppendUtf16(BesideSelf(kCallLog), L"new " + progId_ + L"\n");
    Object* made = make_();
    const HRESULT result = made->QueryInterface(iid, out);
    made->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  std::wstring progId_;
  Object* (*make_)();
};

template <typename T>
Object* Make() {
  return new T;
}

// Serves calls until the quit event is set or the time is up, so that a
// server left behind by a failed scenario does not outlive the test run.
void Serve(HANDLE quit) {
  const ULONGLONG deadline = GetTickCount64() + 90000;
  for (ULONGLONG now; (now = GetTickCount64()) < deadline;) {
    if (MsgWaitForMultipleObjects(1, &quit, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_ALLINPUT) != WAIT_OBJECT_0 + 1)
      return;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
}

}  // namespace
}  // namespace e2e::stand_in

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  using namespace e2e::stand_in;
  if (FAILED(CoInitialize(nullptr))) return 1;
  HANDLE quit = CreateEventW(nullptr, TRUE, FALSE, kQuitEvent);
  std::vector<std::pair<StandInClass, Factory>> factories{
      {kAccessClass, {kAccessClass.progId, Make<Application>}},
      {kEngineClasses[0], {kEngineClasses[0].progId, Make<Connection>}},
      {kEngineClasses[1], {kEngineClasses[1].progId, Make<Recordset>}},
      {kEngineClasses[2], {kEngineClasses[2].progId, Make<JetEngine>}}};
  std::vector<DWORD> cookies;
  bool registered = true;
  for (auto& [standIn, factory] : factories) {
    CLSID clsid;
    CLSIDFromString(standIn.clsid, &clsid);
    DWORD cookie = 0;
    registered &= SUCCEEDED(
        CoRegisterClassObject(clsid, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie));
    cookies.push_back(cookie);
  }
  Object* application = new Application;
  DWORD active = 0;
  if (wcsstr(commandLine, L"--running")) {
    CLSID clsid;
    CLSIDFromString(kAccessClass.clsid, &clsid);
    registered &= SUCCEEDED(RegisterActiveObject(application, clsid, ACTIVEOBJECT_STRONG, &active));
  }
  if (registered) Serve(quit);
  if (active) RevokeActiveObject(active, nullptr);
  for (DWORD cookie : cookies) CoRevokeClassObject(cookie);
  application->Release();
  CloseHandle(quit);
  CoUninitialize();
  return registered ? 0 : 1;
}
