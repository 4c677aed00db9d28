#include "scripted_dispatch.h"

#include <algorithm>

namespace korvane::windows::test {

HRESULT ScriptedDispatch::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters,
                                 VARIANT* result, EXCEPINFO* exception, UINT*) {
  if (id < 1 || static_cast<std::size_t>(id) > names_.size()) return DISP_E_MEMBERNOTFOUND;
  const auto found = answers_.find(names_[id - 1]);
  if (found == answers_.end()) return S_OK;
  Script& script = found->second;
  const Answer& answer = script.answers[std::min(script.served++, script.answers.size() - 1)];
  if (answer.rejectsArguments && parameters->cArgs > 0) return DISP_E_BADPARAMCOUNT;
  const auto text = [](const std::wstring& value) {
    return value.empty() ? nullptr : SysAllocString(value.c_str());
  };
  if (answer.failure == DISP_E_EXCEPTION) {
    *exception = {};
    exception->scode = answer.scode;
    exception->wCode = answer.wCode;
    exception->bstrDescription = text(answer.description);
    exception->bstrSource = text(answer.source);
    return DISP_E_EXCEPTION;
  }
  ICreateErrorInfo* create = nullptr;
  if (!answer.description.empty() && SUCCEEDED(CreateErrorInfo(&create))) {
    create->SetDescription(const_cast<LPOLESTR>(answer.description.c_str()));
    create->SetSource(const_cast<LPOLESTR>(answer.source.c_str()));
    IErrorInfo* info = nullptr;
    create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
    SetErrorInfo(0, info);
    info->Release();
    create->Release();
  }
  if (FAILED(answer.failure)) return answer.failure;
  if (result) VariantCopy(result, const_cast<VARIANT*>(&answer.result.Raw()));
  return S_OK;
}

}  // namespace korvane::windows::test
