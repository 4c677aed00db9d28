#pragma once
// The support log on Linux: a UTF-8 text file in the user's state folder,
// one line per record, "YYYY-MM-DD HH:MM:SS" in local time and a tab before
// each. It stays small: once it has grown past 1 MiB, the next record
// starts a new file and the old one is kept as "launcher.log.old", the
// older one before it dropped.

#include <string>

#include "platform/support_log.h"

namespace korvane::linux_edition {

// "<stateHome>/tessalykorvane/launcher.log", or under "<home>/.local/state"
// when stateHome is unset (nullptr) or not an absolute path; empty when
// neither names a folder. The two are XDG_STATE_HOME and HOME.
std::string SupportLogPath(const char* stateHome, const char* home);

class SupportLogFile : public SupportLog {
 public:
  // `path` empty: a log that records nothing.
  explicit SupportLogFile(std::string path);

  // Creates the missing folders (readable by the user alone: the log names
  // the files the launcher works on) and appends the record in one write.
  // Any failure loses the record and nothing else.
  void Append(const Text& line) noexcept override;

 private:
  int Open() const;

  std::string path_;
};

}  // namespace korvane::linux_edition
