#pragma once

#include <cstdint>

#include "platform/text.h"

namespace korvane {

struct Launcher;
class HostServices;

inline constexpr char16_t kQueryBackEndName[] = u"查询后端.mdb";

// The open-file dialog's settings for choosing an archive.
inline constexpr int kArchiveDialogMaxFileSize = 32767;
// OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_NODEREFERENCELINKS
inline constexpr std::uint32_t kArchiveDialogFlags = 0x180204;
inline constexpr char16_t kArchiveDialogTitle[] = u"调入后端数据库文件";
inline constexpr char16_t kArchiveDialogFilter[] = u"数据库后端文件|*.mdb";

struct PathParts {
  Text Folder;    // always ends in a backslash
  Text FileName;  // the rest of the chosen path
};

// Splits the dialog's chosen path into the folder and the file name the
// copy is made from, against the current directory. Both fields stay empty
// when the path names no single file. Never raises.
PathParts SplitChosenPath(HostServices& host, const Text& chosenPath);

// The 查询 command: choose an archive, copy it beside the launcher as the
// query back-end, start the query front-end on it and end the program. A
// cancelled dialog or a failing step returns to the window silently.
void OpenArchiveQuery(Launcher& launcher);

}  // namespace korvane
