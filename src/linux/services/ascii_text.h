#pragma once
// Small text helpers for the engine's and Access's ways of reading text:
// both compare keys and names without regard to ASCII case and trim blanks.

#include "platform/text.h"

namespace korvane::linux_edition {

// `text` with ASCII capitals made small; other characters as they are.
Text AsciiLowered(TextView text);

// Blank, tab, carriage return or line feed.
inline bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// `text` without blanks at either end.
Text Trimmed(TextView text);

}  // namespace korvane::linux_edition
