#include "linux/services/windows_command_line.h"

#include "linux/services/ascii_text.h"

namespace korvane::linux_edition {
namespace {

// The program name: to the next blank, or within quotes; no escapes.
std::size_t ReadProgramName(TextView line, Text& name) {
  std::size_t i = 0;
  if (i < line.size() && line[i] == u'"') {
    const std::size_t close = line.find(u'"', 1);
    name = Text(line.substr(1, close == TextView::npos ? TextView::npos : close - 1));
    return close == TextView::npos ? line.size() : close + 1;
  }
  while (i < line.size() && !IsBlank(line[i])) name += line[i++];
  return i;
}

}  // namespace

std::vector<Text> SplitWindowsCommandLine(TextView line) {
  std::vector<Text> arguments;
  if (line.empty()) return arguments;
  Text current;
  std::size_t i = ReadProgramName(line, current);
  arguments.push_back(std::move(current));

  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    current.clear();
    bool quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      std::size_t backslashes = 0;
      while (i < line.size() && line[i] == u'\\') ++backslashes, ++i;
      if (i < line.size() && line[i] == u'"') {
        current.append(backslashes / 2, u'\\');
        if (backslashes % 2 == 1) {
          current += u'"';
        } else if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
          current += u'"';
          ++i;
        } else {
          quoted = !quoted;
        }
        ++i;
      } else {
        current.append(backslashes, u'\\');
        if (backslashes == 0) current += line[i++];
      }
    }
    arguments.push_back(std::move(current));
  }
  return arguments;
}

}  // namespace korvane::linux_edition
