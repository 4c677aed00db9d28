// UTF-8 at the edges of the core: round trips and ill-formed input.

#include <gtest/gtest.h>

#include "platform/text.h"

namespace korvane {
namespace {

TEST(Utf8, RoundTripsKeepEveryCharacter) {
  for (const Text text : {u"", u"D:\\App\\系统前端.mde", u"é ü ß", u"𠀀 beyond the basic plane"}) {
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  }
  EXPECT_EQ(ToUtf8(u"档案"), "\xE6\xA1\xA3\xE6\xA1\x88");
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
    ::testing::Values(Malformed{"LoneContinuation", "a\x80z", u"a\uFFFDz"},
                      Malformed{"TruncatedAtEnd", "a\xE6\xA1", u"a\uFFFD\uFFFD"},
                      Malformed{"Overlong", "\xC0\xAF", u"\uFFFD\uFFFD"},
                      Malformed{"Surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf8, LoneSurrogateBecomesReplacementCharacter) {
  EXPECT_EQ(ToUtf8(std::u16string{u'a', char16_t(0xD800)}), "a\xEF\xBF\xBD");
}

}  // namespace
}  // namespace korvane
