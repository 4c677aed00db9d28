#include "launch/archive_query.h"
#include "platform/error.h"
#include "platform/failure_modes.h"
#include "platform/host_services.h"

namespace korvane {
namespace {

// The chosen path lies in `folder` when it begins with the folder followed
// by a backslash, or with the folder itself at a drive root.
bool LiesIn(const Text& chosenPath, const Text& folder) {
  if (folder.empty() || !StartsWithIgnoringAsciiCase(chosenPath, folder)) return false;
  return folder.back() == u'\\' ||
         (chosenPath.size() > folder.size() && chosenPath[folder.size()] == u'\\');
}

Text Right(const Text& text, std::ptrdiff_t count) {
  if (count < 0) throw InvalidArgumentError();
  return text.substr(text.size() - static_cast<std::size_t>(count));
}

}  // namespace

PathParts SplitChosenPath(HostServices& host, const Text& chosenPath) {
  PathParts parts;
  LeaveSilentlyOnError([&] {
    // Several selected files come back as the folder and the names joined by
    // NUL characters: that names no single file.
    if (chosenPath.find(u'\0') != Text::npos) return;
    Text folder = host.CurrentDirectory();
    // A file outside the current directory is split at its own last
    // backslash, so that the copy is always made from the file chosen.
    if (!LiesIn(chosenPath, folder)) {
      const auto lastSeparator = chosenPath.rfind(u'\\');
      if (lastSeparator == Text::npos) return;
      folder = chosenPath.substr(0, lastSeparator + 1);
    }
    Text name = Right(chosenPath, static_cast<std::ptrdiff_t>(chosenPath.size()) -
                                      static_cast<std::ptrdiff_t>(folder.size()));
    if (!name.empty() && name.front() == u'\\') name.erase(0, 1);
    if (folder.empty() || folder.back() != u'\\') folder += u'\\';
    parts.Folder = folder;
    parts.FileName = name;
  });
  return parts;
}

}  // namespace korvane
