#pragma once
// The HTML Help viewer: HtmlHelpA from hhctrl.ocx, loaded when first needed
// and only from the system folder, so that a file of that name beside the
// launcher or in the current directory is never loaded in its place.

#include <functional>
#include <optional>
#include <string>

#include "platform/help_viewer.h"
#include "windows/com_apartment.h"
#include "windows/win32.h"

namespace korvane::windows {

// WideCharToMultiByte, or a stand-in that checks its parameters as Windows
// does where Wine is more lenient.
using ToMultiByte = std::function<int(UINT, DWORD, LPCWCH, int, LPSTR, int, LPCCH, LPBOOL)>;

// `text` in `codePage`; nothing when a character has no exact equivalent
// there (a best-fit look-alike would name another file). Under UTF-8 only a
// lone surrogate has none.
std::optional<std::string> InCodePage(const Text& text, UINT codePage,
                                      const ToMultiByte& convert = &WideCharToMultiByte);

// `path` in `codePage`, the system's ANSI code page unless a test names
// another. A path with a character the code page cannot hold is given by its
// short name instead, which the ANSI viewer can open; raises when there is
// none either.
std::string AnsiPath(const Text& path, UINT codePage = GetACP());

class HtmlHelpViewer final : public HelpViewer {
 public:
  // `module` is the component's file name in the system folder; the viewer
  // runs in `apartment`.
  explicit HtmlHelpViewer(ComApartment& apartment, const wchar_t* module = L"hhctrl.ocx")
      : apartment_(apartment), module_(module) {}
  HtmlHelpViewer(const HtmlHelpViewer&) = delete;
  HtmlHelpViewer& operator=(const HtmlHelpViewer&) = delete;
  // The component stays loaded: the viewer windows it opened live on in this
  // process until the launcher ends. Closes them when the launcher ends
  // through its window: the component's own threads must not outlive it.
  ~HtmlHelpViewer() override;

  NativeWindowHandle HtmlHelpA(NativeWindowHandle owner, const Text& path, unsigned command,
                               std::uintptr_t data) override;

 private:
  using Entry = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
  Entry Load();

  ComApartment& apartment_;
  const wchar_t* module_;
  Entry entry_ = nullptr;
};

}  // namespace korvane::windows
