// UTF-8 at the edges of the Linux edition: round trips, the bounds of each
// sequence length, and ill-formed input.

#include <gtest/gtest.h>

#include "linux/services/utf8_text.h"

namespace korvane::linux_edition {
namespace {

using namespace std::literals;

TEST(Utf8, RoundTripsKeepEveryCharacter) {
  for (const Text text : {u"", u"D:\\App\\系统前端.mde", u"é ü ß", u"𠀀 beyond the basic plane",
                          u"\u0080\u07FF\u0800\uFFFD\U00010000\U0010FFFF"}) {
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  }
  EXPECT_EQ(ToUtf8(u"档案"), "\xE6\xA1\xA3\xE6\xA1\x88");
}

// Each ill-formed byte becomes a replacement character.
TEST(Utf8, DecodesOrReplacesEachByte) {
  // A view that ends inside a sequence whose rest lies in memory beyond it.
  constexpr char kCutShort[] = "a\xE6\xA1\xA3";
  for (const auto& [utf8, text] :
       {std::pair<std::string_view, Text>{"\xC1\xBF", u"\uFFFD\uFFFD"},  // overlong, two bytes
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},                         // a high surrogate
        {"a\x80z", u"a\uFFFDz"},                                         // a lone continuation
        {"a\xE6\xA1", u"a\uFFFD\uFFFD"},                                 // truncated at the end
        {std::string_view(kCutShort, 3), u"a\uFFFD\uFFFD"},
        {"a\0b"sv, u"a\0b"s}}) {  // NUL is kept
    EXPECT_EQ(FromUtf8(utf8), text) << ::testing::PrintToString(std::string(utf8));
  }
}

TEST(Utf8, LoneSurrogatesBecomeReplacementCharacters) {
  EXPECT_EQ(ToUtf8(Text{u'a', char16_t(0xD800)}), "a\xEF\xBF\xBD");
  EXPECT_EQ(ToUtf8(Text{char16_t(0xDFFF), u'b'}),
            "\xEF\xBF\xBD"
            "b");
}

}  // namespace
}  // namespace korvane::linux_edition
