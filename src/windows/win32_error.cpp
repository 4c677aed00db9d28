#include "windows/win32_error.h"

#include "windows/wide_text.h"
#include "windows/win32.h"

namespace korvane::windows {

Text SystemMessage(std::uint32_t code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  Text text = length ? FromWide(std::wstring_view(buffer, length)) : Text();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) {
    text.pop_back();
  }
  return text;
}

Text HexCode(std::uint32_t code) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  Text text = u"0x";
  for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(code >> shift) & 0xF];
  return text;
}

Error ErrorFromCode(std::uint32_t code, const char16_t* operation) {
  Text description = SystemMessage(code);
  if (description.empty()) description = u"系统错误 " + HexCode(code);
  return Error(static_cast<std::int32_t>(code), std::move(description), operation);
}

Error LastError(const char16_t* operation) {
  return ErrorFromCode(GetLastError(), operation);
}

}  // namespace korvane::windows
