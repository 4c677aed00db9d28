#include "windows/wide_text.h"

#include "windows/win32.h"
#include "windows/win32_error.h"

namespace korvane::windows {

void RefuseEmbeddedNul(const Text& text, const char16_t* operation) {
  if (text.find(u'\0') != Text::npos) throw ErrorFromCode(ERROR_INVALID_NAME, operation);
}

}  // namespace korvane::windows
