#include "windows/automation_error.h"

#include "windows/wide_text.h"
#include "windows/win32_error.h"

namespace korvane::windows {
namespace {

// Takes the text of a BSTR and frees it.
Text TakeText(BSTR& text) {
  Text taken = text ? FromWide(std::wstring_view(text, SysStringLen(text))) : Text();
  SysFreeString(text);
  text = nullptr;
  return taken;
}

}  // namespace

Error AutomationError(HRESULT result, const Text& description, const Text& defaultSource) {
  const auto code = static_cast<std::uint32_t>(result);
  Text text = description.empty() ? SystemMessage(code) : description;
  if (text.empty()) text = u"自动化对象操作失败,错误代码 " + HexCode(code);
  return Error(static_cast<std::int32_t>(code), std::move(text), defaultSource);
}

Error ExceptionInfoError(EXCEPINFO& info, const Text& defaultSource) {
  if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
  const Text description = TakeText(info.bstrDescription);
  const Text source = TakeText(info.bstrSource);
  SysFreeString(info.bstrHelpFile);
  info.bstrHelpFile = nullptr;
  // An object reports either an HRESULT or a numbered error of its own.
  HRESULT code = info.scode;
  if (code == S_OK) code = info.wCode ? static_cast<HRESULT>(info.wCode) : DISP_E_EXCEPTION;
  return AutomationError(code, description, source.empty() ? defaultSource : source);
}

Error CallError(HRESULT result, IDispatch& object, const Text& defaultSource) {
  Text description;
  Text source;
  ComPtr<ISupportErrorInfo> supports;
  if (SUCCEEDED(object.QueryInterface(IID_ISupportErrorInfo, &supports)) &&
      supports->InterfaceSupportsErrorInfo(IID_IDispatch) == S_OK) {
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, &info) == S_OK && info) {
      BSTR text = nullptr;
      if (SUCCEEDED(info->GetDescription(&text))) description = TakeText(text);
      if (SUCCEEDED(info->GetSource(&text))) source = TakeText(text);
    }
  }
  return AutomationError(result, description, source.empty() ? defaultSource : source);
}

}  // namespace korvane::windows
