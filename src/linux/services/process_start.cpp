#include "linux/services/process_start.h"

#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "linux/services/ascii_text.h"
#include "linux/services/system_error.h"
#include "linux/services/utf8_text.h"
#include "linux/services/windows_command_line.h"
#include "linux/services/windows_paths.h"

extern char** environ;

namespace korvane::linux_edition {
namespace {

std::vector<std::string> ChildEnvironment(int windowStyle) {
  const std::string prefix = std::string(kShowWindowVariable) + "=";
  std::vector<std::string> variables;
  for (char** entry = environ; *entry; ++entry) {
    if (std::strncmp(*entry, prefix.c_str(), prefix.size()) != 0) variables.emplace_back(*entry);
  }
  variables.push_back(prefix + std::to_string(windowStyle));
  return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (auto& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

void StartDetachedProcess(const Text& program, const Text& commandLine, int windowStyle) {
  constexpr char16_t kSource[] = u"StartProcess";
  const std::string executable = ToPosixPath(program);
  struct stat status {};
  if (::stat(executable.c_str(), &status) != 0) ThrowSystemError(errno, executable, kSource);
  if (!S_ISREG(status.st_mode) || ::access(executable.c_str(), X_OK) != 0) {
    ThrowSystemError(EACCES, executable, kSource);
  }

  std::vector<std::string> arguments{executable};
  // The line begins with the program's path, unquoted when the caller wrote
  // it so: a blank inside that path is part of the name, not the first
  // argument.
  const TextView line(commandLine);
  const bool namesProgram = line.substr(0, program.size()) == program &&
                            (line.size() == program.size() || IsBlank(line[program.size()]));
  const auto parsed = SplitWindowsCommandLine(
      namesProgram ? u"\"\"" + Text(line.substr(program.size())) : commandLine);
  for (std::size_t i = 1; i < parsed.size(); ++i) arguments.push_back(ToUtf8(parsed[i]));
  std::vector<std::string> environment = ChildEnvironment(windowStyle);
  auto argv = Pointers(arguments);
  auto envp = Pointers(environment);

  // A session of its own: the host runs on when the launcher and its
  // terminal are gone.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t child = 0;
  const int result =
      ::posix_spawn(&child, executable.c_str(), nullptr, &attributes, argv.data(), envp.data());
  posix_spawnattr_destroy(&attributes);
  if (result != 0) ThrowSystemError(result, executable, kSource);
}

}  // namespace korvane::linux_edition
