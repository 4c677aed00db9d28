#include "linux/services/system_error.h"

#include <cstring>

#include "linux/services/utf8_text.h"

namespace korvane::linux_edition {

void ThrowSystemError(int errorNumber, const std::string& posixPath, const char16_t* source) {
  Text description = FromUtf8(std::strerror(errorNumber));
  if (!posixPath.empty()) description += u": '" + FromUtf8(posixPath) + u"'";
  throw Error(errorNumber, std::move(description), source);
}

}  // namespace korvane::linux_edition
