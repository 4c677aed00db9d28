// Connection texts in the engine's form, and the expanded form read back.

#include <gtest/gtest.h>

#include <tuple>

#include "linux/services/connection_text.h"
#include "linux/services/utf8_text.h"
#include "platform/error.h"

namespace korvane::linux_edition {
namespace {

struct ParseCase {
  const char16_t* text;
  ConnectionSettings expected;
};

auto Fields(const ConnectionSettings& s) {
  return std::tie(s.provider, s.dataSource, s.systemDatabase, s.userId, s.password,
                  s.databasePassword);
}

class ConnectionTextParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ConnectionTextParse, Reads) {
  EXPECT_EQ(Fields(ParseConnectionText(GetParam().text)), Fields(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConnectionTextParse,
    ::testing::Values(
        // The launcher's own text: the blank before the semicolon is trimmed.
        ParseCase{
            u"Data Source=D:\\App\\系统前端.mde ;jet oledb:system database=D:\\App\\Secured.mdw;"
            u"user id=qorvu;Password=pelmo",
            {std::nullopt, u"D:\\App\\系统前端.mde", u"D:\\App\\Secured.mdw", u"qorvu", u"pelmo",
             u""}},
        ParseCase{
            u"Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password='tandr4820517';"
            u"Data Source=D:\\share\\data.mdb",
            {u"Microsoft.Jet.OLEDB.4.0", u"D:\\share\\data.mdb", u"", u"", u"", u"tandr4820517"}},
        // The check of a compacted copy: session pooling off, read-only.
        ParseCase{
            u"Provider=Microsoft.Jet.OLEDB.4.0;OLE DB Services=-2;Mode=Read;"
            u"Jet OLEDB:Database Password='tandr4820517';Data Source=D:\\share\\data.mdb",
            {u"Microsoft.Jet.OLEDB.4.0", u"D:\\share\\data.mdb", u"", u"", u"", u"tandr4820517"}},
        ParseCase{u"  PROVIDER = x ;;Mode=Share Deny None; USER ID =  a b  ;user id=c",
                  {u"x", u"", u"", u"c", u"", u""}},
        ParseCase{u"Password=\"a;b\"\"c\";Data Source=' d '",
                  {std::nullopt, u" d ", u"", u"", u"a;b\"c", u""}},
        ParseCase{u"Password=a=b", {std::nullopt, u"", u"", u"", u"a=b", u""}}));

TEST(ConnectionText, RefusesMalformedText) {
  for (const char16_t* text :
       {u"Data Source", u"a=1;junk;b=2", u"Password='abc", u"Password='a'b"}) {
    EXPECT_THROW(ParseConnectionText(text), Error) << ToUtf8(text);
  }
}

TEST(ConnectionText, ExpandedFormReadsBackTheSame) {
  const ConnectionSettings settings{u"Microsoft.Jet.OLEDB.4.0",
                                    u"Z:\\a b\\系统;前端.mde",
                                    u"Z:\\Secured.mdw",
                                    u" qorvu ",
                                    u" \"x'y\" ",
                                    u""};
  EXPECT_EQ(Fields(ParseConnectionText(ExpandConnectionText(settings))), Fields(settings));
}

}  // namespace
}  // namespace korvane::linux_edition
