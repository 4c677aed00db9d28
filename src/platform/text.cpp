#include "platform/text.h"

namespace korvane {
bool StartsWithIgnoringAsciiCase(TextView text, TextView prefix) {
  if (prefix.size() > text.size()) return false;
  auto fold = [](char16_t c) -> char16_t { return (c >= u'a' && c <= u'z') ? c - 32 : c; };
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (fold(text[i]) != fold(prefix[i])) return false;
  }
  return true;
}

bool EqualsIgnoringAsciiCase(TextView left, TextView right) {
  return left.size() == right.size() && StartsWithIgnoringAsciiCase(left, right);
}

}  // namespace korvane
