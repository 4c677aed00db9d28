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

// Windows functions read a text only up to its first NUL character, so a
// path holding one would name another file than the one meant. Raises
// "invalid name" for such a text, in the name of `operation`.
void RefuseEmbeddedNul(const Text& text, const char16_t* operation);

// A path for a Windows function, refused when it holds a NUL character.
inline const wchar_t* AsWidePath(const Text& path, const char16_t* operation) {
  RefuseEmbeddedNul(path, operation);
  return AsWide(path);
}

}  // namespace korvane::windows
