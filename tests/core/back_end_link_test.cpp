// The connection text of the main front-end and the discovery of the data
// back-end, including what each failing engine step leaves as the result.

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
  const Text result = BuildConnectionString(w.launcher);

  EXPECT_EQ(result, FakeEngine::Expanded(GetParam().text));
  EXPECT_EQ(w.log.Operations(),
            (std::vector<std::string>{"CreateConnection", "Connection.SetProvider", "ProgramFolder",
                                      "ProgramFolder", "Connection.SetConnectionString",
                                      "Connection.Open", "Connection.ConnectionString",
                                      "Connection.Close"}));
  EXPECT_EQ(w.log.CallsOf("Connection.SetProvider")[0].arguments[0], u"Microsoft.Jet.OLEDB.4.0");
  EXPECT_EQ(w.log.CallsOf("Connection.SetConnectionString")[0].arguments[0], GetParam().text);
  EXPECT_EQ(w.log.CallsOf("Connection.Open")[0].arguments,
            (std::vector<Text>{u"", u"", u"", u"-1"}));
  EXPECT_EQ(w.engine.live, 0);
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

const Text kExpanded = FakeEngine::Expanded(
    u"Data Source=D:\\App\\系统前端.mde ;jet oledb:system database=D:\\App\\Secured.mdw;user "
    u"id=qorvu;Password=pelmo");

struct BuildRow {
  const char* name;
  const char* failing;
  Text result;
};

class BuildConnectionStringFailure : public ::testing::TestWithParam<BuildRow> {};

TEST_P(BuildConnectionStringFailure, KeepsWhatWasReadBeforeTheFailingStep) {
  World w;
  w.StandardScene();
  w.log.Fail(GetParam().failing);
  EXPECT_EQ(BuildConnectionString(w.launcher), GetParam().result);
  EXPECT_EQ(w.log.Operations().back(), GetParam().failing);  // nothing after it
  EXPECT_EQ(w.engine.live, 0);
}

INSTANTIATE_TEST_SUITE_P(Steps, BuildConnectionStringFailure,
                         ::testing::Values(BuildRow{"Create", "CreateConnection", u""},
                                           BuildRow{"Provider", "Connection.SetProvider", u""},
                                           BuildRow{"Text", "Connection.SetConnectionString", u""},
                                           BuildRow{"Open", "Connection.Open", u""},
                                           BuildRow{"ReadBack", "Connection.ConnectionString", u""},
                                           BuildRow{"Close", "Connection.Close", kExpanded}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FindRow {
  const char* name;
  const char* failing;  // empty: nothing fails
  std::optional<Text> firstRow;
  Text result;
};

class BackEndDiscovery : public ::testing::TestWithParam<FindRow> {};

TEST_P(BackEndDiscovery, GivesTheFirstRowOrEmptyText) {
  World w;
  w.StandardScene();
  w.engine.firstRow = GetParam().firstRow;
  if (*GetParam().failing) w.log.Fail(GetParam().failing);
  EXPECT_EQ(FindBackEndPath(w.launcher), GetParam().result);
  EXPECT_EQ(w.engine.live, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, BackEndDiscovery,
    ::testing::Values(FindRow{"FirstRow", "", u"\\\\server\\share\\数据.mdb",
                              u"\\\\server\\share\\数据.mdb"},
                      FindRow{"NoRow", "", std::nullopt, u""},
                      FindRow{"CreateFails", "CreateRecordset", kBackEndPath, u""},
                      FindRow{"OpenFails", "Recordset.Open", kBackEndPath, u""},
                      FindRow{"ReadFails", "Recordset.FirstFieldText", kBackEndPath, u""},
                      FindRow{"CloseFails", "Recordset.Close", kBackEndPath, u""},
                      FindRow{"FrontEndCannotBeOpened", "Connection.Open", kBackEndPath, u""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BackEndDiscovery, RunsTheCatalogueQueryOnTheExpandedConnectionText) {
  World w;
  w.StandardScene();
  FindBackEndPath(w.launcher);
  const auto opens = w.log.CallsOf("Recordset.Open");
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].arguments,
            (std::vector<Text>{u" SELECT Database FROM MSysObjects GROUP BY Database HAVING ((Not "
                               u"( Database) = 'isnull')) WITH OWNERACCESS OPTION",
                               kExpanded, u"2", u"3", u"-1"}));
  // The recordset exists before the connection text is built.
  EXPECT_LT(*w.log.IndexOf("CreateRecordset"), *w.log.IndexOf("CreateConnection"));
}

}  // namespace
}  // namespace korvane::testing
