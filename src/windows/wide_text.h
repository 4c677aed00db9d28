#pragma once
// The launcher's text (UTF-16 char16_t) handed to and taken from the wide
// Windows functions (UTF-16 wchar_t), without conversion.

#include <string_view>

#include "platform/text.h"

namespace korvane::windows {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

inline const wchar_t* AsWide(const Text& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline Text FromWide(std::wstring_view text) {
  return Text(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

inline Text FromWide(const wchar_t* text) {
  return text ? FromWide(std::wstring_view(text)) : Text();
}

// A path for a Windows function, which would read it only up to its first
// NUL character and so act on another file than the one named. Raises
// "invalid name" for such a path, in the name of `operation`.
const wchar_t* AsWidePath(const Text& path, const char16_t* operation);

}  // namespace korvane::windows
