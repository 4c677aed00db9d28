#pragma once
// Connection texts in the database engine's form: key=value pairs separated
// by semicolons; keys without regard to case and trimmed; values trimmed,
// optionally enclosed in single or double quotes (the enclosing quote, when
// doubled inside, stands for itself; a quoted value may hold semicolons).

#include <optional>

#include "platform/text.h"

namespace korvane::linux_edition {

struct ConnectionSettings {
  std::optional<Text> provider;
  Text dataSource;
  Text systemDatabase;  // "Jet OLEDB:System database", empty for none
  Text userId;          // empty: the engine's default account
  Text password;
  Text databasePassword;  // "Jet OLEDB:Database Password"
};

// Parses a connection text. Keys the engine does not use are ignored; a
// pair without "=" or an unterminated quote raises korvane::Error.
ConnectionSettings ParseConnectionText(TextView text);

// The expanded form the engine reads back from an open connection: every
// key named, the provider first, values quoted where needed. Parsing it
// gives the same settings.
Text ExpandConnectionText(const ConnectionSettings& settings);

}  // namespace korvane::linux_edition
