#include "windows/html_help_viewer.h"

#include <vector>

#include "windows/com_apartment.h"
#include "windows/wide_text.h"
#include "windows/win32_error.h"

namespace korvane::windows {
namespace {

constexpr char16_t kOperation[] = u"HtmlHelp";

// The text in the ANSI code page; false when a character had no equivalent.
bool ToAnsi(const Text& text, std::string& ansi) {
  ansi.clear();
  if (text.empty()) return true;
  BOOL lossy = FALSE;
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, AsWide(text),
                                       static_cast<int>(text.size()), nullptr, 0, nullptr, &lossy);
  if (size <= 0 || lossy) return false;
  ansi.resize(static_cast<std::size_t>(size));
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, AsWide(text), static_cast<int>(text.size()),
                      ansi.data(), size, nullptr, nullptr);
  return true;
}

Text ShortPath(const wchar_t* path) {
  const DWORD size = GetShortPathNameW(path, nullptr, 0);
  if (size == 0) return Text();
  std::vector<wchar_t> buffer(size);
  const DWORD length = GetShortPathNameW(path, buffer.data(), size);
  if (length == 0 || length >= size) return Text();
  return FromWide(std::wstring_view(buffer.data(), length));
}

}  // namespace

std::string AnsiPath(const Text& path) {
  const wchar_t* wide = AsWidePath(path, kOperation);
  std::string ansi;
  if (ToAnsi(path, ansi)) return ansi;
  const Text shortPath = ShortPath(wide);
  if (!shortPath.empty() && ToAnsi(shortPath, ansi)) return ansi;
  throw ErrorFromCode(ERROR_NO_UNICODE_TRANSLATION, kOperation);
}

HtmlHelpViewer::~HtmlHelpViewer() {
  constexpr UINT kCloseAll = 0x12;  // HH_CLOSE_ALL
  if (entry_) entry_(nullptr, nullptr, kCloseAll, 0);
}

HtmlHelpViewer::Entry HtmlHelpViewer::Load() {
  if (entry_) return entry_;
  HMODULE component = LoadLibraryExW(module_, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!component) throw LastError(kOperation);
  auto entry =
      reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(component, "HtmlHelpA")));
  if (!entry) {
    const Error error = LastError(kOperation);
    FreeLibrary(component);
    throw error;
  }
  entry_ = entry;
  return entry_;
}

NativeWindowHandle HtmlHelpViewer::HtmlHelpA(NativeWindowHandle owner, const Text& path,
                                             unsigned command, std::uintptr_t data) {
  const std::string ansiPath = AnsiPath(path);
  const Entry entry = Load();
  // The viewer hosts the browser control, which runs in the apartment.
  EnterComApartment();
  HWND viewer = entry(reinterpret_cast<HWND>(owner), ansiPath.c_str(), command, data);
  return reinterpret_cast<NativeWindowHandle>(viewer);
}

}  // namespace korvane::windows
