#include "linux/access/access_command_line.h"

#include "platform/database_engine.h"
#include "linux/services/ascii_text.h"
#include "linux/services/connection_text.h"

namespace korvane::linux_edition {
namespace {

struct ValueSwitch {
  const char16_t* name;
  Text AccessCommandLine::*field;
};

const ValueSwitch kValueSwitches[] = {
    {u"/wrkgrp", &AccessCommandLine::workgroupFile},
    {u"/user", &AccessCommandLine::user},
    {u"/pwd", &AccessCommandLine::password},
};

}  // namespace

std::optional<AccessCommandLine> ParseAccessCommandLine(const std::vector<Text>& arguments) {
  AccessCommandLine result;
  bool named = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const Text& argument = arguments[i];
    if (argument.empty() || argument[0] != u'/') {
      if (!named) result.database = argument, named = true;
      continue;
    }
    const Text folded = AsciiLowered(argument);
    for (const auto& option : kValueSwitches) {
      const TextView name(option.name);
      if (folded.compare(0, name.size(), name) != 0) continue;
      Text value = argument.substr(name.size());
      if (!value.empty() && value[0] == u':') value.erase(0, 1);
      if (value.empty() && i + 1 < arguments.size()) value = arguments[++i];
      result.*option.field = value;
      break;
    }
  }
  if (!named) return std::nullopt;
  return result;
}

Text AccessConnectionText(const AccessCommandLine& commandLine) {
  ConnectionSettings settings;
  settings.provider = Text(kJetProvider);
  settings.dataSource = commandLine.database;
  settings.systemDatabase = commandLine.workgroupFile;
  settings.userId = commandLine.user;
  settings.password = commandLine.password;
  return ExpandConnectionText(settings);
}

}  // namespace korvane::linux_edition
