#include "linux/services/ascii_text.h"

namespace korvane::linux_edition {

Text AsciiLowered(TextView text) {
  Text out(text);
  for (auto& c : out) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + (u'a' - u'A'));
  }
  return out;
}

Text Trimmed(TextView text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return Text(text.substr(first, last - first));
}

}  // namespace korvane::linux_edition
