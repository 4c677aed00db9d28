#include "windows/wide_text.h"

#include "windows/win32.h"
#include "windows/win32_error.h"

namespace korvane::windows {

const wchar_t* AsWidePath(const Text& path, const char16_t* operation) {
  if (path.find(u'\0') != Text::npos) throw ErrorFromCode(ERROR_INVALID_NAME, operation);
  return AsWide(path);
}

}  // namespace korvane::windows
