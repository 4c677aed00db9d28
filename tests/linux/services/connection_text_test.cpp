// Connection texts in the engine's form, and the expanded form read back.

#include <gtest/gtest.h>

#include "linux/services/connection_text.h"
#include "platform/error.h"

namespace korvane::linux_edition {
namespace {

struct ParseCase {
  const char16_t* text;
  ConnectionSettings expected;
};

class ConnectionTextParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ConnectionTextParse, Reads) {
  const auto settings = ParseConnectionText(GetParam().text);
  const auto& expected = GetParam().expected;
  EXPECT_EQ(settings.provider, expected.provider);
  EXPECT_EQ(settings.dataSource, expected.dataSource);
  EXPECT_EQ(settings.systemDatabase, expected.systemDatabase);
  EXPECT_EQ(settings.userId, expected.userId);
  EXPECT_EQ(settings.password, expected.password);
  EXPECT_EQ(settings.databasePassword, expected.databasePassword);
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
        ParseCase{u"  PROVIDER = x ;  USER ID =  a b  ;;", {u"x", u"", u"", u"a b", u"", u""}},
        ParseCase{u"Password=\"a;b\"\"c\";Data Source=' d '",
                  {std::nullopt, u" d ", u"", u"", u"a;b\"c", u""}},
        ParseCase{u"Password='it''s'", {std::nullopt, u"", u"", u"", u"it's", u""}},
        ParseCase{u"Password=a=b", {std::nullopt, u"", u"", u"", u"a=b", u""}},
        // Keys the engine does not use are passed over; the last of a key wins.
        ParseCase{u"Mode=Share Deny None;Extended Properties=\"\";user id=a;User ID=b",
                  {std::nullopt, u"", u"", u"b", u"", u""}},
        ParseCase{u"", {std::nullopt, u"", u"", u"", u"", u""}}));

class ConnectionTextRefused : public ::testing::TestWithParam<const char16_t*> {};

TEST_P(ConnectionTextRefused, Raises) {
  EXPECT_THROW(ParseConnectionText(GetParam()), Error);
}

INSTANTIATE_TEST_SUITE_P(Table, ConnectionTextRefused,
                         ::testing::Values(u"Data Source", u"a=1;junk;b=2", u"Password='abc",
                                           u"Password='a'b"));

TEST(ConnectionText, ExpandedFormNamesEveryKeyAndReadsBackTheSame) {
  ConnectionSettings settings;
  settings.provider = u"Microsoft.Jet.OLEDB.4.0";
  settings.dataSource = u"Z:\\a b\\系统;前端.mde";
  settings.systemDatabase = u"Z:\\Secured.mdw";
  settings.userId = u"qorvu";
  settings.password = u" \"x'y\" ";
  const Text expanded = ExpandConnectionText(settings);
  for (const char16_t* key :
       {u"Provider=Microsoft.Jet.OLEDB.4.0;", u"User ID=", u"Password=", u"Data Source=",
        u"Jet OLEDB:System database=", u"Jet OLEDB:Database Password="}) {
    EXPECT_NE(expanded.find(key), Text::npos) << ToUtf8(key);
  }
  const auto again = ParseConnectionText(expanded);
  EXPECT_EQ(again.provider, settings.provider);
  EXPECT_EQ(again.dataSource, settings.dataSource);
  EXPECT_EQ(again.systemDatabase, settings.systemDatabase);
  EXPECT_EQ(again.userId, settings.userId);
  EXPECT_EQ(again.password, settings.password);
  EXPECT_EQ(again.databasePassword, u"");
}

}  // namespace
}  // namespace korvane::linux_edition
