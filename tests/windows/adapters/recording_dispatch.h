#pragma once
// Automation objects that stand in for ADO, JRO and Access in the adapter
// tests: each records every call (member, call kind, arguments in their
// natural order with their types) into a log shared by all of them, and
// answers as the test scripted it.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "windows/automation_factory.h"
#include "windows/variant.h"
#include "windows/win32.h"

namespace korvane::windows::test {

struct RecordedArgument {
  VARTYPE type;
  std::wstring value;
  bool operator==(const RecordedArgument&) const = default;
};

struct RecordedCall {
  std::wstring object;  // the name the test gave the object
  std::wstring member;
  WORD kind;
  std::vector<RecordedArgument> arguments;
  bool namedPropertyPut;  // the one named argument DISPID_PROPERTYPUT
  bool operator==(const RecordedCall&) const = default;
};

using CallLog = std::vector<RecordedCall>;

// What a member answers.
struct Answer {
  Variant result;
  HRESULT failure = S_OK;  // returned by Invoke (DISP_E_EXCEPTION: with `exception`)
  EXCEPINFO exception{};   // scode, wCode; the texts below are filled in on use
  std::wstring description;
  std::wstring source;
  bool throughErrorInfo = false;  // texts given through SetErrorInfo
  bool unknownName = false;       // GetIDsOfNames fails
  bool rejectsArguments = false;  // DISP_E_BADPARAMCOUNT when called with any
};

class RecordingDispatch final : public IDispatch, public ISupportErrorInfo {
 public:
  RecordingDispatch(std::wstring name, std::shared_ptr<CallLog> log)
      : name_(std::move(name)), log_(std::move(log)) {}

  // Scripts `member`'s answer; members without one answer an empty value.
  void On(const std::wstring& member, Answer answer) { OnEach(member, {std::move(answer)}); }
  // Scripts `member`'s answers to successive calls, the last one repeated.
  void OnEach(const std::wstring& member, std::vector<Answer> answers) {
    answers_[member] = {std::move(answers), 0};
  }
  ULONG References() const { return references_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override;
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID id) override;

 private:
  std::wstring name_;
  std::shared_ptr<CallLog> log_;
  struct Script {
    std::vector<Answer> answers;
    std::size_t served;
  };
  std::map<std::wstring, Script> answers_;
  std::vector<std::wstring> names_;  // DISPID i + 1 is names_[i]
  ULONG references_ = 1;
};

// A recording object owned by the test, released when the test ends.
ComPtr<RecordingDispatch> MakeRecordingDispatch(const std::wstring& name,
                                                std::shared_ptr<CallLog> log);

// A Variant holding `object` (VT_DISPATCH), as a member returning it answers.
Variant ObjectValue(const ComPtr<RecordingDispatch>& object);

// An answer that succeeds with `result`.
inline Answer Returns(Variant result) {
  Answer answer;
  answer.result = std::move(result);
  return answer;
}

// Hands out scripted objects by ProgID; an unscripted ProgID fails as an
// unregistered class does.
class RecordingFactory final : public AutomationFactory {
 public:
  void Register(const Text& progId, ComPtr<RecordingDispatch> object) { created_[progId] = object; }
  void RegisterActive(const Text& progId, ComPtr<RecordingDispatch> object) {
    active_[progId] = object;
  }
  const std::vector<Text>& Requests() const { return requests_; }

  AutomationObject CreateObject(const Text& progId) override;
  AutomationObject GetActiveObject(const Text& progId) override;

 private:
  using Objects = std::map<Text, ComPtr<RecordingDispatch>>;
  static AutomationObject Hand(const Objects& objects, const Text& progId, HRESULT missing);
  Objects created_;
  Objects active_;
  std::vector<Text> requests_;
};

}  // namespace korvane::windows::test
