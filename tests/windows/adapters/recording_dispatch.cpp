#include "recording_dispatch.h"

#include <algorithm>

#include "windows/automation_error.h"
#include "windows/wide_text.h"

namespace korvane::windows::test {
namespace {

RecordedArgument Record(const VARIANT& argument) {
  Variant copy;
  VariantCopy(&copy.Raw(), const_cast<VARIANT*>(&argument));
  std::wstring text;
  Variant asText;
  if (SUCCEEDED(VariantChangeType(&asText.Raw(), &copy.Raw(), 0, VT_BSTR))) {
    text.assign(asText.Raw().bstrVal, SysStringLen(asText.Raw().bstrVal));
  }
  return {argument.vt, text};
}

}  // namespace

HRESULT RecordingDispatch::QueryInterface(REFIID id, void** object) {
  if (id == IID_IUnknown || id == IID_IDispatch) {
    *object = static_cast<IDispatch*>(this);
  } else if (id == IID_ISupportErrorInfo) {
    *object = static_cast<ISupportErrorInfo*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG RecordingDispatch::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT RecordingDispatch::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT RecordingDispatch::GetTypeInfo(UINT, LCID, ITypeInfo**) {
  return E_NOTIMPL;
}

HRESULT RecordingDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (count != 1) return E_INVALIDARG;
  const std::wstring member = names[0];
  const auto answer = answers_.find(member);
  if (answer != answers_.end() && answer->second.answers.front().unknownName) {
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  names_.push_back(member);
  ids[0] = static_cast<DISPID>(names_.size());
  return S_OK;
}

HRESULT RecordingDispatch::Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* parameters,
                                  VARIANT* result, EXCEPINFO* exception, UINT*) {
  if (id < 1 || static_cast<std::size_t>(id) > names_.size()) return DISP_E_MEMBERNOTFOUND;
  const std::wstring& member = names_[id - 1];
  RecordedCall call{name_, member, kind, {}, false};
  for (UINT i = parameters->cArgs; i > 0; --i)
    call.arguments.push_back(Record(parameters->rgvarg[i - 1]));
  call.namedPropertyPut = parameters->cNamedArgs == 1 && parameters->rgdispidNamedArgs &&
                          parameters->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
  log_->push_back(call);

  const auto found = answers_.find(member);
  if (found == answers_.end()) return S_OK;
  Script& script = found->second;
  const Answer& answer = script.answers[std::min(script.served++, script.answers.size() - 1)];
  if (answer.rejectsArguments && parameters->cArgs > 0) return DISP_E_BADPARAMCOUNT;
  if (answer.failure == DISP_E_EXCEPTION) {
    *exception = answer.exception;
    exception->bstrDescription =
        answer.description.empty() ? nullptr : SysAllocString(answer.description.c_str());
    exception->bstrSource = answer.source.empty() ? nullptr : SysAllocString(answer.source.c_str());
    return DISP_E_EXCEPTION;
  }
  if (answer.throughErrorInfo) {
    ICreateErrorInfo* create = nullptr;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
      create->SetDescription(const_cast<LPOLESTR>(answer.description.c_str()));
      create->SetSource(const_cast<LPOLESTR>(answer.source.c_str()));
      IErrorInfo* info = nullptr;
      create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
      SetErrorInfo(0, info);
      info->Release();
      create->Release();
    }
  }
  if (FAILED(answer.failure)) return answer.failure;
  if (result) VariantCopy(result, const_cast<VARIANT*>(&answer.result.Raw()));
  return S_OK;
}

HRESULT RecordingDispatch::InterfaceSupportsErrorInfo(REFIID id) {
  return id == IID_IDispatch ? S_OK : S_FALSE;
}

ComPtr<RecordingDispatch> MakeRecordingDispatch(const std::wstring& name,
                                                std::shared_ptr<CallLog> log) {
  ComPtr<RecordingDispatch> made;
  made.Attach(new RecordingDispatch(name, std::move(log)));
  return made;
}

Variant ObjectValue(const ComPtr<RecordingDispatch>& object) {
  Variant value;
  value.Raw().vt = VT_DISPATCH;
  object.CopyTo(&value.Raw().pdispVal);
  return value;
}

AutomationObject RecordingFactory::Hand(const Objects& objects, const Text& progId,
                                        HRESULT missing) {
  const auto found = objects.find(progId);
  if (found == objects.end()) throw AutomationError(missing, u"", progId);
  return {found->second, progId};
}

AutomationObject RecordingFactory::CreateObject(const Text& progId) {
  requests_.push_back(u"create " + progId);
  return Hand(created_, progId, CO_E_CLASSSTRING);
}

AutomationObject RecordingFactory::GetActiveObject(const Text& progId) {
  requests_.push_back(u"active " + progId);
  return Hand(active_, progId, MK_E_UNAVAILABLE);
}

}  // namespace korvane::windows::test
