#include "windows/html_help_viewer.h"

#include <vector>

#include "windows/com_apartment.h"
#include "windows/dll_search.h"
#include "windows/wide_text.h"
#include "windows/win32_error.h"

namespace korvane::windows {
namespace {

constexpr char16_t kOperation[] = u"HtmlHelp";

Text ShortPath(const wchar_t* path) {
  const DWORD size = GetShortPathNameW(path, nullptr, 0);
  if (size == 0) return Text();
  std::vector<wchar_t> buffer(size);
  const DWORD length = GetShortPathNameW(path, buffer.data(), size);
  if (length == 0 || length >= size) return Text();
  return FromWide(std::wstring_view(buffer.data(), length));
}

}  // namespace

std::optional<std::string> InCodePage(const Text& text, UINT codePage, const ToMultiByte& convert) {
  if (text.empty()) return std::string();
  // UTF-8 takes neither the best-fit flag nor the lossy-conversion report:
  // the call fails with them. It holds every character but a lone surrogate,
  // which WC_ERR_INVALID_CHARS turns into a failure.
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL lossy = FALSE;
  BOOL* reportLoss = utf8 ? nullptr : &lossy;
  const int length = static_cast<int>(text.size());
  const int size = convert(codePage, flags, AsWide(text), length, nullptr, 0, nullptr, reportLoss);
  if (size <= 0 || lossy) return std::nullopt;
  std::string converted(static_cast<std::size_t>(size), '\0');
  if (convert(codePage, flags, AsWide(text), length, converted.data(), size, nullptr, nullptr) !=
      size) {
    return std::nullopt;
  }
  return converted;
}

std::string AnsiPath(const Text& path, UINT codePage) {
  const wchar_t* wide = AsWidePath(path, kOperation);
  if (auto ansi = InCodePage(path, codePage)) return *ansi;
  const Text shortPath = ShortPath(wide);
  if (!shortPath.empty()) {
    if (auto ansi = InCodePage(shortPath, codePage)) return *ansi;
  }
  throw ErrorFromCode(ERROR_NO_UNICODE_TRANSLATION, kOperation);
}

HtmlHelpViewer::~HtmlHelpViewer() {
  constexpr UINT kCloseAll = 0x12;  // HH_CLOSE_ALL
  if (entry_) entry_(nullptr, nullptr, kCloseAll, 0);
}

HtmlHelpViewer::Entry HtmlHelpViewer::Load() {
  if (entry_) return entry_;
  HMODULE component = LoadSystemLibrary(module_);
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
  apartment_.Enter();
  HWND viewer = entry(reinterpret_cast<HWND>(owner), ansiPath.c_str(), command, data);
  return reinterpret_cast<NativeWindowHandle>(viewer);
}

}  // namespace korvane::windows
