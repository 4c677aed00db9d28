#pragma once
// An owned VARIANT: automation arguments and results, cleared when it goes.

#include <cstdint>

#include "platform/text.h"
#include "windows/win32.h"

namespace korvane::windows {

class Variant {
 public:
  Variant() { VariantInit(&value_); }
  explicit Variant(const Text& text);     // VT_BSTR
  explicit Variant(std::int32_t number);  // VT_I4
  Variant(const Variant& other);
  Variant(Variant&& other) noexcept;
  Variant& operator=(Variant other) noexcept;
  ~Variant() { VariantClear(&value_); }

  VARIANT& Raw() { return value_; }
  const VARIANT& Raw() const { return value_; }
  VARTYPE Type() const { return value_.vt; }

  // The value converted to text as automation converts it; raises the
  // conversion's HRESULT (for instance when the value is Null).
  Text ToText(const Text& source) const;
  // True for Basic's Nothing: an empty value or a null object reference.
  bool IsNothing() const;
  // The object the value holds; raises when it holds none.
  ComPtr<IDispatch> ToDispatch(const Text& source) const;

 private:
  VARIANT value_;
};

}  // namespace korvane::windows
