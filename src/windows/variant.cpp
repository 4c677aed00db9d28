#include "windows/variant.h"

#include <utility>

#include "windows/automation_error.h"
#include "windows/wide_text.h"

namespace korvane::windows {

Variant::Variant(const Text& text) : Variant() {
  value_.bstrVal = SysAllocStringLen(AsWide(text), static_cast<UINT>(text.size()));
  if (!value_.bstrVal) throw AutomationError(E_OUTOFMEMORY, u"", u"");
  value_.vt = VT_BSTR;
}

Variant::Variant(std::int32_t number) : Variant() {
  value_.vt = VT_I4;
  value_.lVal = number;
}

Variant::Variant(const Variant& other) : Variant() {
  const HRESULT result = VariantCopy(&value_, const_cast<VARIANT*>(&other.value_));
  if (FAILED(result)) throw AutomationError(result, u"", u"");
}

Variant::Variant(Variant&& other) noexcept : value_(other.value_) {
  VariantInit(&other.value_);
}

Variant& Variant::operator=(Variant other) noexcept {
  std::swap(value_, other.value_);
  return *this;
}

Text Variant::ToText(const Text& source) const {
  Variant text;
  const HRESULT result = VariantChangeType(&text.value_, const_cast<VARIANT*>(&value_), 0, VT_BSTR);
  if (FAILED(result)) throw AutomationError(result, u"", source);
  return FromWide(std::wstring_view(text.value_.bstrVal, SysStringLen(text.value_.bstrVal)));
}

bool Variant::IsNothing() const {
  return value_.vt == VT_EMPTY || (value_.vt == VT_DISPATCH && !value_.pdispVal) ||
         (value_.vt == VT_UNKNOWN && !value_.punkVal);
}

ComPtr<IDispatch> Variant::ToDispatch(const Text& source) const {
  if (value_.vt == VT_DISPATCH && value_.pdispVal) {
    return ComPtr<IDispatch>(value_.pdispVal);
  }
  if (value_.vt == VT_UNKNOWN && value_.punkVal) {
    ComPtr<IDispatch> object;
    const HRESULT result = value_.punkVal->QueryInterface(IID_IDispatch, &object);
    if (FAILED(result)) throw AutomationError(result, u"", source);
    return object;
  }
  throw AutomationError(DISP_E_TYPEMISMATCH, u"", source);
}

}  // namespace korvane::windows
