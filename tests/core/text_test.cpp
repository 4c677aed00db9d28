// Comparing paths as the Windows file system compares names: ASCII letters
// without case, every other character exactly.

#include <gtest/gtest.h>

#include <tuple>

#include "platform/text.h"

namespace korvane::testing {
namespace {

TEST(IgnoringAsciiCase, EqualsAsTheFileSystemDoes) {
  for (const auto& [left, right, equal] : {std::tuple{u"Az", u"aZ", true},
                                           {u"data.mdb", u"data.md", false},
                                           {u"Ä.mdb", u"ä.mdb", false},
                                           {u"[", u"{", false}}) {
    EXPECT_EQ(EqualsIgnoringAsciiCase(left, right), equal) << ::testing::PrintToString(Text(left));
    EXPECT_EQ(EqualsIgnoringAsciiCase(right, left), equal);
  }
}

}  // namespace
}  // namespace korvane::testing
