#include "linux/services/windows_paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "linux/services/utf8_text.h"
#include "platform/error.h"

namespace korvane::linux_edition {
namespace {

constexpr char16_t kSource[] = u"PathConversion";
constexpr char16_t kRootDrive = u'Z';

[[noreturn]] void Refuse(const char16_t* why, TextView path) {
  throw Error(EINVAL, Text(why) + u": '" + Text(path) + u"'", kSource);
}

bool IsLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// Splits on any of `separators`, dropping empty parts and ".", and resolving
// ".." against the parts before it without climbing above the first.
template <class String>
std::vector<String> NormalisedParts(const String& path, const String& separators) {
  std::vector<String> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find_first_of(separators, start), path.size());
    String part = path.substr(start, end - start);
    if (part.size() == 2 && part[0] == '.' && part[1] == '.') {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && !(part.size() == 1 && part[0] == '.')) {
      parts.push_back(std::move(part));
    }
    start = end + 1;
  }
  return parts;
}

// "/a/b" from {"a", "b"}; "/" from none.
std::string JoinedPosix(const std::vector<std::string>& parts) {
  std::string out;
  for (const auto& part : parts) {
    out.push_back('/');
    out.append(part);
  }
  if (out.empty()) out.push_back('/');
  return out;
}

std::string TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

std::string NormalisedPosixFolder(const std::string& folder, TextView entry) {
  if (folder.empty() || folder[0] != '/') Refuse(u"KORVANE_DRIVES: folder is not absolute", entry);
  std::string out = JoinedPosix(NormalisedParts<std::string>(folder, "/"));
  // The folder as the system names it after following links, so that the
  // real paths the system reports (/proc/self/exe, getcwd) fall under it.
  if (char* real = ::realpath(out.c_str(), nullptr)) {
    out = real;
    std::free(real);
  }
  if (out == "/") Refuse(u"KORVANE_DRIVES: the root is drive Z: already", entry);
  return out;
}

// UTF-8 names compared as Windows compares file names, ASCII letters
// without case; bytes of other characters never fall in the ASCII range.
bool SameIgnoringAsciiCase(std::string_view left, std::string_view right) {
  const auto fold = [](char c) { return AsciiCapital(static_cast<unsigned char>(c)); };
  return left.size() == right.size() &&
         std::equal(left.begin(), left.end(), right.begin(),
                    [&](char a, char b) { return fold(a) == fold(b); });
}

// True when `path` is `folder` or lies below it.
bool IsUnder(const std::string& path, const std::string& folder) {
  return path.compare(0, folder.size(), folder) == 0 &&
         (path.size() == folder.size() || path[folder.size()] == '/');
}

}  // namespace

DriveMap::DriveMap(std::string_view drivesText) {
  std::size_t start = 0;
  while (start <= drivesText.size()) {
    const std::size_t end = std::min(drivesText.find(';', start), drivesText.size());
    const std::string entry = TrimBlanks(drivesText.substr(start, end - start));
    start = end + 1;
    if (entry.empty()) continue;
    const Text shown = FromUtf8(entry);
    const auto equals = entry.find('=');
    const std::string letter = TrimBlanks(std::string_view(entry).substr(0, equals));
    if (equals == std::string::npos || letter.size() != 1 || !IsLetter(letter[0])) {
      Refuse(u"KORVANE_DRIVES: expected <letter>=<folder>", shown);
    }
    const char16_t drive = AsciiCapital(static_cast<char16_t>(letter[0]));
    if (drive == kRootDrive) Refuse(u"KORVANE_DRIVES: Z: is the root and cannot be mapped", shown);
    const bool taken = std::any_of(mappings_.begin(), mappings_.end(),
                                   [&](const DriveMapping& m) { return m.letter == drive; });
    if (taken) Refuse(u"KORVANE_DRIVES: drive mapped twice", shown);
    const std::string folder = TrimBlanks(std::string_view(entry).substr(equals + 1));
    mappings_.push_back({drive, NormalisedPosixFolder(folder, shown)});
  }
}

DriveMap DriveMap::FromEnvironment() {
  const char* drives = std::getenv(kDrivesVariable);
  return DriveMap(drives ? drives : "");
}

std::string DriveMap::ToPosix(TextView windowsPath) const {
  if (windowsPath.find(u'\0') != TextView::npos) Refuse(u"path holds a NUL character", windowsPath);
  const bool hasDrive =
      windowsPath.size() >= 2 && IsLetter(windowsPath[0]) && windowsPath[1] == u':';
  if (!hasDrive) Refuse(u"not an absolute path with a drive letter", windowsPath);
  if (windowsPath.size() < 3 || (windowsPath[2] != u'\\' && windowsPath[2] != u'/')) {
    Refuse(u"drive-relative path", windowsPath);
  }
  const char16_t drive = AsciiCapital(windowsPath[0]);
  std::string folder;
  if (drive == kRootDrive) {
    folder = "/";
  } else {
    const auto mapping = std::find_if(mappings_.begin(), mappings_.end(),
                                      [&](const DriveMapping& m) { return m.letter == drive; });
    if (mapping == mappings_.end()) Refuse(u"drive not mapped", windowsPath);
    folder = mapping->folder;
  }
  std::vector<std::string> parts = NormalisedParts<std::string>(folder, "/");
  for (const auto& part : NormalisedParts<Text>(Text(windowsPath.substr(2)), u"\\/")) {
    parts.push_back(ToUtf8(part));
  }
  return JoinedPosix(parts);
}

Text DriveMap::ToWindows(std::string_view posixPath) const {
  const std::string path(posixPath);
  const Text shown = FromUtf8(path);
  if (path.find('\0') != std::string::npos) Refuse(u"path holds a NUL character", shown);
  if (path.empty() || path[0] != '/') Refuse(u"not an absolute path", shown);
  if (ToUtf8(shown) != path) Refuse(u"path is not UTF-8", shown);
  if (path.find('\\') != std::string::npos) Refuse(u"name holds a backslash", shown);

  const std::string normal = JoinedPosix(NormalisedParts<std::string>(path, "/"));

  char16_t drive = kRootDrive;
  std::string folder = "/";
  for (const auto& mapping : mappings_) {
    if (IsUnder(normal, mapping.folder) &&
        (drive == kRootDrive || mapping.folder.size() > folder.size())) {
      drive = mapping.letter;
      folder = mapping.folder;
    }
  }
  const std::string rest = folder == "/" ? normal : normal.substr(folder.size());
  Text out{drive, u':'};
  for (const auto& part : NormalisedParts<std::string>(rest, "/")) out += u'\\' + FromUtf8(part);
  if (out.size() == 2) out += u'\\';
  return out;
}

std::string WithStoredName(const std::string& posixPath) {
  struct stat status {};
  if (::lstat(posixPath.c_str(), &status) == 0 || errno != ENOENT) return posixPath;
  const auto slash = posixPath.rfind('/');
  if (slash == std::string::npos || slash + 1 == posixPath.size()) return posixPath;
  const std::string folder = slash == 0 ? "/" : posixPath.substr(0, slash);
  const std::string_view name = std::string_view(posixPath).substr(slash + 1);
  DIR* entries = ::opendir(folder.c_str());
  if (entries == nullptr) return posixPath;
  std::string found;
  int matches = 0;
  while (const dirent* entry = ::readdir(entries)) {
    if (SameIgnoringAsciiCase(entry->d_name, name)) {
      found = entry->d_name;
      ++matches;
    }
  }
  ::closedir(entries);
  if (matches != 1) return posixPath;
  return posixPath.substr(0, slash + 1) + found;
}

std::string ToPosixPath(TextView windowsPath) {
  return WithStoredName(DriveMap::FromEnvironment().ToPosix(windowsPath));
}

Text ToWindowsPath(std::string_view posixPath) {
  return DriveMap::FromEnvironment().ToWindows(posixPath);
}

}  // namespace korvane::linux_edition
