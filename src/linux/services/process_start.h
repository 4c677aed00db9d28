#pragma once
// Starting the database host as the platform starts a program: by its full
// path, with its arguments split from a Windows command line by the
// platform's rules, in a session of its own so that it runs on after the
// launcher, and told its window style through KORVANE_SHOW_WINDOW.

#include "platform/text.h"

namespace korvane::linux_edition {

// Environment variable that hands a started program its window style.
inline constexpr char kShowWindowVariable[] = "KORVANE_SHOW_WINDOW";

// Returns once the program has started; raises when it cannot be started
// (missing, a folder, not executable).
void StartDetachedProcess(const Text& program, const Text& commandLine, int windowStyle);

}  // namespace korvane::linux_edition
