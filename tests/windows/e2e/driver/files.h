#pragma once
// File handling of the scenarios and of the adapter tests: fresh folders,
// small files with known contents, and what a folder holds.

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Empties the folder, or creates it with its parents; a drive root such as
// K:\ is only emptied.
void MakeEmptyFolder(const std::wstring& folder);
void RemoveTree(const std::wstring& folder);

void WriteBytes(const std::wstring& path, const std::string& bytes);
std::optional<std::string> ReadBytes(const std::wstring& path);

// Every file under the folders, with its contents.
using Files = std::map<std::wstring, std::string>;
Files Snapshot(std::initializer_list<std::wstring> folders);
// Applies changes to files: new contents, or none (empty) for a removed file.
void Apply(Files& files, const Files& changes);

// Lines of text that the helper programs leave for the driver, in UTF-8.
void AppendLine(const std::wstring& path, const std::wstring& line);
std::vector<std::wstring> ReadLines(const std::wstring& path);
// The parts of the text between separators, without an empty last one.
std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator);

std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& utf8);

}  // namespace e2e
