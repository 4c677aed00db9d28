#include "common/command_record.h"

#include <array>
#include <string>

#include "common/fixed_credentials.h"

namespace korvane {
namespace {

constexpr char16_t kMask[] = u"***";

// Where a password's value begins: after these, in any ASCII case.
constexpr std::array<TextView, 3> kPasswordKeys{u"password=", u"pwd=", u"/pwd"};

std::size_t FindIgnoringAsciiCase(TextView text, TextView wanted, std::size_t from) {
  for (std::size_t at = from; at + wanted.size() <= text.size(); ++at) {
    if (EqualsIgnoringAsciiCase(text.substr(at, wanted.size()), wanted)) return at;
  }
  return TextView::npos;
}

// The end of a value that begins at `at`: a quoted value runs to its closing
// quote, any other to the next separator.
std::size_t ValueEnd(TextView text, std::size_t at) {
  if (at < text.size() && (text[at] == u'\'' || text[at] == u'"')) {
    const std::size_t closing = text.find(text[at], at + 1);
    return closing == TextView::npos ? text.size() : closing + 1;
  }
  const std::size_t end = text.find_first_of(u"; \t\r\n", at);
  return end == TextView::npos ? text.size() : end;
}

Text MaskKeyValues(Text text) {
  for (const TextView key : kPasswordKeys) {
    std::size_t at = 0;
    while ((at = FindIgnoringAsciiCase(text, key, at)) != TextView::npos) {
      std::size_t value = at + key.size();
      while (value < text.size() && text[value] == u' ') ++value;
      const std::size_t end = ValueEnd(text, value);
      text.replace(value, end - value, kMask);
      at = value + std::char_traits<char16_t>::length(kMask);
    }
  }
  return text;
}

Text MaskEvery(Text text, TextView secret) {
  for (std::size_t at = 0; (at = text.find(secret, at)) != Text::npos;) {
    text.replace(at, secret.size(), kMask);
  }
  return text;
}

// Line breaks and tabs would split the record or shift its fields.
Text OnOneLine(Text text) {
  for (char16_t& c : text) {
    if (c == u'\r' || c == u'\n' || c == u'\t') c = u' ';
  }
  return text;
}

}  // namespace

Text Redacted(TextView text) {
  Text masked = MaskKeyValues(Text(text));
  masked = MaskEvery(std::move(masked), kWorkgroupPassword);
  return MaskEvery(std::move(masked), kBackEndDatabasePassword);
}

Text CommandRecordLine(TextView command, TextView outcome, const std::optional<Error>& error) {
  Text line = OnOneLine(Text(command)) + u'\t' + OnOneLine(Text(outcome));
  if (error) {
    const std::string number = std::to_string(error->Number());
    line += u"\t错误 " + Text(number.begin(), number.end()) + u'\t' + OnOneLine(error->Source()) +
            u'\t' + OnOneLine(error->Description());
  }
  return Redacted(line);
}

}  // namespace korvane
