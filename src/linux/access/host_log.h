#pragma once
// The Access stand-in's account of each start, for tests that must see how
// the launcher started it: appended to the file KORVANE_HOST_LOG names,
// one "key=value" line each, a run beginning with "start=<pid>":
//   start=<pid>, arg=<argument> (each, in order), show=<window style>,
//   opened=<application title> or refused=<the error's description>.

#include <string>

#include "platform/text.h"

namespace korvane::linux_edition {

inline constexpr char kHostLogVariable[] = "KORVANE_HOST_LOG";

class HostLog {
 public:
  HostLog();  // no log without KORVANE_HOST_LOG
  void Write(const std::string& key, const Text& value) const;

 private:
  std::string file_;
};

}  // namespace korvane::linux_edition
