#pragma once
// File handling of the scenarios (and of the adapter tests): fresh folders,
// small files with known contents, and the listing of a folder.

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Removes the folder with everything in it (if present) and creates it empty;
// a drive root such as K:\ is only emptied.
void MakeEmptyFolder(const std::wstring& folder);
void RemoveTree(const std::wstring& folder);

void WriteBytes(const std::wstring& path, const std::string& bytes);
std::optional<std::string> ReadBytes(const std::wstring& path);
bool Exists(const std::wstring& path);
void CopyOrFail(const std::wstring& source, const std::wstring& destination);

// The names of the files directly in a folder, sorted.
std::vector<std::wstring> FileNames(const std::wstring& folder);

// UTF-16 text written by a helper program, split into lines.
std::vector<std::wstring> ReadUtf16Lines(const std::wstring& path);

}  // namespace e2e
