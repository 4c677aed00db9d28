#include "platform/text.h"

namespace korvane {

char16_t AsciiCapital(char16_t c) {
  return (c >= u'a' && c <= u'z') ? c - 32 : c;
}

bool StartsWithIgnoringAsciiCase(TextView text, TextView prefix) {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (AsciiCapital(text[i]) != AsciiCapital(prefix[i])) return false;
  }
  return true;
}

bool EqualsIgnoringAsciiCase(TextView left, TextView right) {
  return left.size() == right.size() && StartsWithIgnoringAsciiCase(left, right);
}

Text AsciiCapitals(Text text) {
  for (char16_t& c : text) c = AsciiCapital(c);
  return text;
}

}  // namespace korvane
