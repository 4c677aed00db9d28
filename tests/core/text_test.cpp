// Comparing paths as the Windows file system compares names: ASCII letters
// without case, every other character exactly.

#include <gtest/gtest.h>

#include "platform/text.h"

namespace korvane::testing {
namespace {

struct TextPair {
  const char16_t* left;
  const char16_t* right;
  bool equal;
};

class IgnoringAsciiCase : public ::testing::TestWithParam<TextPair> {};

TEST_P(IgnoringAsciiCase, EqualsAsTheFileSystemDoes) {
  EXPECT_EQ(EqualsIgnoringAsciiCase(GetParam().left, GetParam().right), GetParam().equal);
  EXPECT_EQ(EqualsIgnoringAsciiCase(GetParam().right, GetParam().left), GetParam().equal);
}

INSTANTIATE_TEST_SUITE_P(Table, IgnoringAsciiCase,
                         ::testing::Values(TextPair{u"Az", u"aZ", true},
                                           TextPair{u"data.mdb", u"data.md", false},
                                           TextPair{u"Ä.mdb", u"ä.mdb", false},
                                           TextPair{u"[", u"{", false}));

}  // namespace
}  // namespace korvane::testing
