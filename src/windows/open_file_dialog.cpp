#include "windows/open_file_dialog.h"

#include <algorithm>
#include <vector>

#include "platform/error.h"
#include "windows/com_apartment.h"
#include "windows/wide_text.h"
#include "windows/win32_error.h"

#include <commdlg.h>

namespace korvane::windows {
namespace {

constexpr char16_t kOperation[] = u"CommonDialog";
constexpr char16_t kCancelled[] = u"选定了“取消”";
// The longest text the dialog can return, as the common dialog allows.
constexpr int kLargestBuffer = 32767;

}  // namespace

Text DialogFilter(const Text& filter) {
  Text converted = filter;
  std::replace(converted.begin(), converted.end(), u'|', u'\0');
  converted.push_back(u'\0');
  converted.push_back(u'\0');
  return converted;
}

Text ChosenText(const wchar_t* buffer, std::size_t capacity) {
  std::size_t end = 0;
  while (end < capacity && buffer[end] != L'\0') {
    while (end < capacity && buffer[end] != L'\0') ++end;       // one entry
    if (end + 1 < capacity && buffer[end + 1] != L'\0') ++end;  // another follows
  }
  return FromWide(std::wstring_view(buffer, end));
}

Text ChosenFolder(const Text& chosen) {
  const auto separator = chosen.find(u'\0');
  if (separator != Text::npos) return chosen.substr(0, separator);
  const auto slash = chosen.find_last_of(u'\\');
  if (slash == Text::npos) return Text();
  if (slash == 2 && chosen[1] == u':') return chosen.substr(0, 3);
  return chosen.substr(0, slash);
}

void EnterChosenFolder(const Text& chosen) {
  const Text folder = ChosenFolder(chosen);
  if (folder.empty()) return;
  wchar_t current[MAX_PATH];
  const DWORD length = GetCurrentDirectoryW(MAX_PATH, current);
  if (length > 0 && length < MAX_PATH &&
      CompareStringOrdinal(current, static_cast<int>(length), AsWide(folder),
                           static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL) {
    return;
  }
  if (!SetCurrentDirectoryW(AsWidePath(folder, kOperation))) throw LastError(kOperation);
}

void Win32OpenFileDialog::ShowOpen() {
  const int capacity = std::clamp(maxFileSize_, 1, kLargestBuffer);
  std::vector<wchar_t> buffer(static_cast<std::size_t>(capacity) + 1, L'\0');
  if (fileName_.size() < buffer.size())
    std::copy(fileName_.begin(), fileName_.end(), buffer.begin());
  const Text filter = DialogFilter(filter_);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filter_.empty() ? nullptr : AsWide(filter);
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(capacity);
  dialog.lpstrTitle = dialogTitle_.empty() ? nullptr : AsWide(dialogTitle_);
  dialog.Flags = flags_;

  // The dialog hosts the shell's folder view, which runs in the apartment.
  apartment_.Enter();
  if (!GetOpenFileNameW(&dialog)) {
    const DWORD failure = CommDlgExtendedError();
    if (failure != 0) {
      throw Error(static_cast<std::int32_t>(failure),
                  u"打开文件对话框失败,错误代码 " + HexCode(failure), kOperation);
    }
    if (cancelError_) throw Error(error_number::kDialogCancelled, kCancelled, kOperation);
    return;
  }
  fileName_ = ChosenText(buffer.data(), buffer.size());
  EnterChosenFolder(fileName_);
}

}  // namespace korvane::windows
