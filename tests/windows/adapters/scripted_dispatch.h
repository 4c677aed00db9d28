#pragma once
// An automation object that stands in for an ADO, JRO or Access object in
// the adapter tests: it answers each member as the test scripted it. The
// end-to-end suite proves the calls and their arguments; these objects give
// the answers no real server gives on cue.

#include <map>
#include <string>
#include <vector>

#include "windows/automation_error.h"
#include "windows/automation_factory.h"
#include "windows/variant.h"
#include "windows/win32.h"

namespace korvane::windows::test {

// What a member answers.
struct Answer {
  Variant result{};
  HRESULT failure = S_OK;  // DISP_E_EXCEPTION: with scode, wCode and the texts
  HRESULT scode = S_OK;
  WORD wCode = 0;
  std::wstring description{};  // otherwise given through SetErrorInfo, if any
  std::wstring source{};
  bool unknownName = false;       // GetIDsOfNames fails
  bool rejectsArguments = false;  // DISP_E_BADPARAMCOUNT when called with any
};

inline Answer Returns(Variant result) {
  Answer answer;
  answer.result = std::move(result);
  return answer;
}

class ScriptedDispatch final : public IDispatch, public ISupportErrorInfo {
 public:
  // Scripts `member`'s answers to successive calls, the last one repeated;
  // members without any answer an empty value.
  void On(const std::wstring& member, std::vector<Answer> answers) {
    answers_[member] = {std::move(answers), 0};
  }
  ULONG References() const { return references_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (id == IID_ISupportErrorInfo) {
      *object = static_cast<ISupportErrorInfo*>(this);
    } else if (id == IID_IUnknown || id == IID_IDispatch) {
      *object = static_cast<IDispatch*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
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
    const auto found = answers_.find(names[0]);
    if (count != 1 || (found != answers_.end() && found->second.answers[0].unknownName)) {
      ids[0] = DISPID_UNKNOWN;
      return DISP_E_UNKNOWNNAME;
    }
    names_.push_back(names[0]);
    ids[0] = static_cast<DISPID>(names_.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override;
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID id) override {
    return id == IID_IDispatch ? S_OK : S_FALSE;
  }

 private:
  struct Script {
    std::vector<Answer> answers;
    std::size_t served;
  };
  std::map<std::wstring, Script> answers_;
  std::vector<std::wstring> names_;  // DISPID i + 1 is names_[i]
  ULONG references_ = 1;
};

// A scripted object owned by the test.
inline ComPtr<ScriptedDispatch> MakeScripted() {
  ComPtr<ScriptedDispatch> made;
  made.Attach(new ScriptedDispatch);
  return made;
}

// The object as a member returning it answers (VT_DISPATCH).
inline Variant ObjectValue(const ComPtr<ScriptedDispatch>& object) {
  Variant value;
  value.Raw().vt = VT_DISPATCH;
  object.CopyTo(&value.Raw().pdispVal);
  return value;
}

// Hands out scripted objects by ProgID, new or running; any other ProgID
// fails as an unregistered class does.
class ScriptedFactory final : public AutomationFactory {
 public:
  std::map<Text, ComPtr<ScriptedDispatch>> created, active;

  AutomationObject CreateObject(const Text& progId) override { return Hand(created, progId); }
  AutomationObject GetActiveObject(const Text& progId) override { return Hand(active, progId); }

 private:
  static AutomationObject Hand(const std::map<Text, ComPtr<ScriptedDispatch>>& objects,
                               const Text& progId) {
    const auto found = objects.find(progId);
    if (found == objects.end()) throw AutomationError(CO_E_CLASSSTRING, u"", progId);
    return {found->second, progId};
  }
};

}  // namespace korvane::windows::test
