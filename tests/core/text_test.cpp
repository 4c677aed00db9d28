// UTF-8 at the edges of the core: round trips and ill-formed input.

#include <gtest/gtest.h>

#include "platform/text.h"

namespace korvane {
namespace {

class RoundTrip : public ::testing::TestWithParam<const char16_t*> {};

TEST_P(RoundTrip, KeepsEveryCharacter) {
  const Text text = GetParam();
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
}

INSTANTIATE_TEST_SUITE_P(Texts, RoundTrip,
                         ::testing::Values(u"", u"D:\\App\\系统前端.mde", u"Korvane后端备份.mdb",
                                           u"操作系统《Secured.mdw》文件丢失,无法操作", u"é ü ß",
                                           u"𠀀 beyond the basic plane"));

TEST(Utf8, ChineseLiteralsAreThreeBytesEach) {
  EXPECT_EQ(ToUtf8(u"档案"), "\xE6\xA1\xA3\xE6\xA1\x88");
  EXPECT_EQ(FromUtf8("\xE6\xA1\xA3\xE6\xA1\x88"), u"档案");
  EXPECT_EQ(Text(u"档案").size(), 2u);  // lengths count characters
}

struct Malformed {
  const char* name;
  std::string utf8;
  Text text;
};

class IllFormed : public ::testing::TestWithParam<Malformed> {};

TEST_P(IllFormed, IsReplacedNotDropped) {
  EXPECT_EQ(FromUtf8(GetParam().utf8), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, IllFormed,
    ::testing::Values(Malformed{"LoneContinuation",
                                "a\x80"
                                "b",
                                u"a\uFFFDb"},
                      Malformed{"TruncatedAtEnd", "a\xE6\xA1", u"a\uFFFD\uFFFD"},
                      Malformed{"TruncatedInMiddle", "\xE6\xA1z", u"\uFFFD\uFFFDz"},
                      Malformed{"Overlong", "\xC0\xAF", u"\uFFFD\uFFFD"},
                      Malformed{"Surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
                      Malformed{"InvalidLead", "\xFF", u"\uFFFD"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf8, LoneSurrogatesBecomeReplacementCharacters) {
  EXPECT_EQ(ToUtf8(std::u16string{u'a', char16_t(0xD800), u'b'}),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(ToUtf8(std::u16string{char16_t(0xDC00)}), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace korvane
