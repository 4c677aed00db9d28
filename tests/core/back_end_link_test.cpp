// The connection text of the main front-end and the discovery of the data
// back-end.

#include <gtest/gtest.h>

#include "database/back_end_link.h"
#include "fakes/world.h"

namespace korvane::testing {
namespace {

TEST_F(LauncherTest, ConnectionTextIsSetOnTheConnectionAndOpenedWithEmptyArguments) {
  const Text text =
      u"Data Source=D:\\App\\系统前端.mde ;jet oledb:system database=D:\\App\\Secured.mdw;user "
      u"id=qorvu;Password=pelmo";
  EXPECT_EQ(BuildConnectionString(w.launcher), FakeEngine::Expanded(text));
  EXPECT_EQ(w.log.CallsOf("Connection.SetProvider").at(0).arguments[0], u"Microsoft.Jet.OLEDB.4.0");
  EXPECT_EQ(w.log.CallsOf("Connection.SetConnectionString").at(0).arguments[0], text);
  EXPECT_EQ(w.log.CallsOf("Connection.Open").at(0).arguments,
            (std::vector<Text>{u"", u"", u"", u"-1"}));
  EXPECT_EQ(w.log.Operations().back(), "Connection.Close");
}

TEST_F(LauncherTest, BackEndDiscoveryRunsTheCatalogueQueryOnTheExpandedConnectionText) {
  w.engine.firstRow = u"\\\\server\\share\\数据.mdb";
  EXPECT_EQ(FindBackEndPath(w.launcher), u"\\\\server\\share\\数据.mdb");
  EXPECT_EQ(w.log.Operations().back(), "Recordset.Close");
  EXPECT_EQ(w.log.CallsOf("Recordset.Open").at(0).arguments,
            (std::vector<Text>{u" SELECT Database FROM MSysObjects GROUP BY Database HAVING ((Not "
                               u"( Database) = 'isnull')) WITH OWNERACCESS OPTION",
                               FakeEngine::Expanded(MainFrontEndConnectionText(w.launcher)), u"2",
                               u"3", u"-1"}));
}

}  // namespace
}  // namespace korvane::testing
