// The connection text of the main front-end and the discovery of the data
// back-end.

#include <gtest/gtest.h>

#include "database/back_end_link.h"
#include "fakes/world.h"

namespace korvane::testing {
namespace {

struct ConnectionTextRow {
  const char16_t* programFolder;
  const char16_t* text;
};

class ConnectionText : public ::testing::TestWithParam<ConnectionTextRow> {};

TEST_P(ConnectionText, IsSetOnTheConnectionAndOpenedWithEmptyArguments) {
  World w;
  w.StandardScene();
  w.host.programFolder = GetParam().programFolder;

  EXPECT_EQ(BuildConnectionString(w.launcher), FakeEngine::Expanded(GetParam().text));
  EXPECT_EQ(w.log.CallsOf("Connection.SetProvider")[0].arguments[0], u"Microsoft.Jet.OLEDB.4.0");
  EXPECT_EQ(w.log.CallsOf("Connection.SetConnectionString")[0].arguments[0], GetParam().text);
  EXPECT_EQ(w.log.CallsOf("Connection.Open")[0].arguments,
            (std::vector<Text>{u"", u"", u"", u"-1"}));
  EXPECT_EQ(w.log.Operations().back(), "Connection.Close");
}

INSTANTIATE_TEST_SUITE_P(
    Folders, ConnectionText,
    ::testing::Values(
        ConnectionTextRow{u"D:\\App",
                          u"Data Source=D:\\App\\系统前端.mde ;jet oledb:system "
                          u"database=D:\\App\\Secured.mdw;user id=qorvu;Password=pelmo"},
        ConnectionTextRow{u"C:\\",
                          u"Data Source=C:\\\\系统前端.mde ;jet oledb:system "
                          u"database=C:\\\\Secured.mdw;user id=qorvu;Password=pelmo"}));

TEST(BackEndDiscovery, RunsTheCatalogueQueryOnTheExpandedConnectionText) {
  World w;
  w.StandardScene();
  w.engine.firstRow = u"\\\\server\\share\\数据.mdb";
  EXPECT_EQ(FindBackEndPath(w.launcher), u"\\\\server\\share\\数据.mdb");
  EXPECT_EQ(w.log.Operations().back(), "Recordset.Close");
  const auto opens = w.log.CallsOf("Recordset.Open");
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].arguments,
            (std::vector<Text>{u" SELECT Database FROM MSysObjects GROUP BY Database HAVING ((Not "
                               u"( Database) = 'isnull')) WITH OWNERACCESS OPTION",
                               FakeEngine::Expanded(MainFrontEndConnectionText(w.launcher)), u"2",
                               u"3", u"-1"}));
}

}  // namespace
}  // namespace korvane::testing
