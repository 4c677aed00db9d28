#include "linux/services/utf8_text.h"

#include <iconv.h>

#include <bit>
#include <cerrno>
#include <stdexcept>

namespace korvane::linux_edition {
namespace {

constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// One conversion descriptor per direction and thread, opened on first use:
// opening one costs more than converting a path.
class Converter {
 public:
  Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {
    if (descriptor_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open");
  }
  ~Converter() { iconv_close(descriptor_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in` (units of `inUnit` bytes) into `Out`; where iconv stops at
  // an ill-formed or cut-off sequence, `replacement` stands for its first
  // unit and the conversion goes on after it.
  template <typename Out>
  Out Convert(const char* in, std::size_t inBytes, std::size_t inUnit,
              std::basic_string_view<typename Out::value_type> replacement) {
    using Unit = typename Out::value_type;
    Out out;
    iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
    char* source = const_cast<char*>(in);
    std::size_t left = inBytes;
    while (left > 0) {
      const std::size_t done = out.size();
      out.resize(done + left * 4 / sizeof(Unit) + 4);
      char* target = reinterpret_cast<char*>(out.data() + done);
      std::size_t room = (out.size() - done) * sizeof(Unit);
      const std::size_t result = iconv(descriptor_, &source, &left, &target, &room);
      out.resize(static_cast<std::size_t>(reinterpret_cast<Unit*>(target) - out.data()));
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
        out.append(replacement);
        source += inUnit;
        left -= inUnit;
        iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    return out;
  }

 private:
  iconv_t descriptor_;
};

}  // namespace

Text FromUtf8(std::string_view utf8) {
  thread_local Converter converter(kUtf16, "UTF-8");
  return converter.Convert<Text>(utf8.data(), utf8.size(), 1, u"\uFFFD");
}

std::string ToUtf8(TextView text) {
  thread_local Converter converter("UTF-8", kUtf16);
  return converter.Convert<std::string>(reinterpret_cast<const char*>(text.data()),
                                        text.size() * sizeof(char16_t), sizeof(char16_t),
                                        "\xEF\xBF\xBD");
}

}  // namespace korvane::linux_edition
