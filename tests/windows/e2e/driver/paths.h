#pragma once
// Paths of the end-to-end tests: the programs under test and the work area,
// read from "e2e-paths.txt" beside the driver (key=Unix path lines, written
// by the build).

#include <string>

namespace e2e {

std::wstring LauncherExe();     // the launcher under test
std::wstring HelperFolder();    // the helper programs built beside the driver
std::wstring WorkFolder();      // a scratch area of this build
std::wstring HelpFileSample();  // a compiled help file to stand for nuqe.chm

std::wstring Join(const std::wstring& folder, const std::wstring& name);

}  // namespace e2e
