#include "linux/services/connection_text.h"

#include "linux/services/ascii_text.h"
#include "linux/services/engine_errors.h"

namespace korvane::linux_edition {
namespace {

// Reads one value from `i` up to the semicolon that ends it (or the end).
Text ReadValue(TextView text, std::size_t& i) {
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i < text.size() && (text[i] == u'"' || text[i] == u'\'')) {
    const char16_t quote = text[i++];
    Text value;
    while (true) {
      if (i >= text.size()) throw EngineError(EngineFault::kBadConnectionText);
      if (text[i] == quote) {
        if (i + 1 < text.size() && text[i + 1] == quote) {
          value += quote;
          i += 2;
          continue;
        }
        ++i;
        break;
      }
      value += text[i++];
    }
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size() && text[i] != u';') throw EngineError(EngineFault::kBadConnectionText);
    return value;
  }
  const std::size_t end = std::min(text.find(u';', i), text.size());
  Text value = Trimmed(text.substr(i, end - i));
  i = end;
  return value;
}

// A value as the expanded form writes it: quoted when it is empty or could
// not be read back bare.
Text Written(const Text& value) {
  const bool bare = !value.empty() && value.find_first_of(u";\"'") == Text::npos &&
                    !IsBlank(value.front()) && !IsBlank(value.back());
  if (bare) return value;
  Text out = u"\"";
  for (const char16_t c : value) {
    if (c == u'"') out += u'"';
    out += c;
  }
  return out + u"\"";
}

}  // namespace

ConnectionSettings ParseConnectionText(TextView text) {
  ConnectionSettings settings;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t equals = text.find(u'=', i);
    const std::size_t semicolon = text.find(u';', i);
    if (equals == TextView::npos || (semicolon != TextView::npos && semicolon < equals)) {
      // Nothing but blanks between separators is allowed; a bare word is not.
      const std::size_t end = std::min(semicolon, text.size());
      if (!Trimmed(text.substr(i, end - i)).empty()) {
        throw EngineError(EngineFault::kBadConnectionText);
      }
      i = end + 1;
      continue;
    }
    const Text key = AsciiLowered(Trimmed(text.substr(i, equals - i)));
    i = equals + 1;
    Text value = ReadValue(text, i);
    ++i;  // past the semicolon
    if (key == u"provider") {
      settings.provider = std::move(value);
    } else if (key == u"data source") {
      settings.dataSource = std::move(value);
    } else if (key == u"jet oledb:system database") {
      settings.systemDatabase = std::move(value);
    } else if (key == u"user id") {
      settings.userId = std::move(value);
    } else if (key == u"password") {
      settings.password = std::move(value);
    } else if (key == u"jet oledb:database password") {
      settings.databasePassword = std::move(value);
    }
  }
  return settings;
}

Text ExpandConnectionText(const ConnectionSettings& settings) {
  return u"Provider=" + Written(settings.provider.value_or(Text())) + u";User ID=" +
         Written(settings.userId) + u";Password=" + Written(settings.password) + u";Data Source=" +
         Written(settings.dataSource) + u";Mode=Share Deny None;Jet OLEDB:System database=" +
         Written(settings.systemDatabase) + u";Jet OLEDB:Database Password=" +
         Written(settings.databasePassword) + u";Jet OLEDB:Engine Type=5";
}

}  // namespace korvane::linux_edition
