// The database engine stand-in on Korvane's demo files: accounts, the
// launcher's two queries as they stand, linked tables, locks.

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "database/back_end_link.h"
#include "launch/front_end_launch.h"
#include "linux/services/jet_database.h"
#include "linux/services/sqlite_engine.h"
#include "linux/services/stand_in_files.h"
#include "linux/services/windows_paths.h"
#include "platform/error.h"
#include "support/demo_scene.h"
#include "support/lock_holder.h"

namespace korvane::linux_edition {
namespace {

using testing::DemoScene;
using testing::LockHolder;

constexpr char16_t kJetSource[] = u"Microsoft JET Database Engine";

class Engine : public ::testing::Test {
 protected:
  // Opens a connection as the launcher does and returns its string read back.
  Text OpenAsLauncher(const Text& text) {
    const auto connection = engine.CreateConnection();
    connection->SetProvider(kJetProvider);
    connection->SetConnectionString(text);
    connection->Open(Text(), Text(), Text(), kNoOptions);
    const Text expanded = connection->ConnectionString();
    connection->Close();
    return expanded;
  }
  // Field 0 of the first row of `sql`.
  Text FirstField(const Text& sql, const Text& connectionText) {
    const auto recordset = engine.CreateRecordset();
    recordset->Open(sql, connectionText, kDynamicCursor, kOptimisticLock, kNoOptions);
    const Text value = recordset->FirstFieldText();
    recordset->Close();
    return value;
  }
  void ExpectError(const std::function<void()>& step, std::int32_t number,
                   const Text& description = Text()) {
    try {
      step();
      ADD_FAILURE() << "no error raised";
    } catch (const Error& error) {
      EXPECT_EQ(error.Number(), number) << ToUtf8(error.Description());
      if (!description.empty()) {
        EXPECT_EQ(error.Description(), description);
      }
    }
  }

  DemoScene scene;
  SqliteDatabaseEngine engine;
};

TEST_F(Engine, ConnectionStringReadBackReopensTheFrontEnd) {
  const Text expanded = OpenAsLauncher(scene.LauncherConnectionText());
  EXPECT_EQ(expanded.rfind(u"Provider=Microsoft.Jet.OLEDB.4.0;", 0), 0u);
  EXPECT_EQ(OpenAsLauncher(expanded), expanded);
  EXPECT_EQ(FirstField(kBackEndDiscoveryQuery, expanded), scene.dataBackEnd);
}

TEST_F(Engine, ProbeQueryRunsOverTheLinkedTables) {
  const Text code = FirstField(kBackEndProbeQuery, scene.ProbeConnectionText());
  EXPECT_TRUE(code == u"A01" || code == u"A02" || code == u"B01" || code == u"C01" ||
              code == u"D01" || code == u"E01")
      << ToUtf8(code);
}

TEST_F(Engine, AccountNameIgnoresCaseAndPasswordDoesNot) {
  Text text = scene.LauncherConnectionText();
  text.replace(text.find(u"qorvu"), 5, u"QORVU");
  EXPECT_NO_THROW(OpenAsLauncher(text));
  text.replace(text.find(u"pelmo"), 5, u"PELMO");
  ExpectError([&] { OpenAsLauncher(text); }, 3029, u"Not a valid account name or password.");
}

// Each way the front-end refuses to open, and the error the engine gives.
struct Refusal {
  const char* name;
  std::function<void(DemoScene&, Text& text)> arrange;
  std::int32_t number;
};

class EngineRefuses : public Engine, public ::testing::WithParamInterface<Refusal> {};

TEST_P(EngineRefuses, ConnectionAndRecordsetAlike) {
  Text text = scene.LauncherConnectionText();
  GetParam().arrange(scene, text);
  ExpectError([&] { OpenAsLauncher(text); }, GetParam().number);
  ExpectError(
      [&] { FirstField(kBackEndDiscoveryQuery, u"Provider=Microsoft.Jet.OLEDB.4.0;" + text); },
      GetParam().number);
}

void Replace(Text& text, const Text& what, const Text& with) {
  text.replace(text.find(what), what.size(), with);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EngineRefuses,
    ::testing::Values(
        Refusal{"WrongPassword", [](DemoScene&, Text& t) { Replace(t, u"pelmo", u"pelmx"); }, 3029},
        Refusal{"UnknownAccount", [](DemoScene&, Text& t) { Replace(t, u"qorvu", u"admin"); },
                3029},
        Refusal{"NoAccountWithWorkgroup",
                [](DemoScene&, Text& t) { Replace(t, u"user id=qorvu;Password=pelmo", u""); },
                3029},
        Refusal{"FrontEndMissing", [](DemoScene& s, Text&) { ::unlink(s.files.frontEnd.c_str()); },
                3024},
        Refusal{"WorkgroupMissing",
                [](DemoScene& s, Text&) { ::unlink(s.files.workgroupFile.c_str()); }, 3028},
        Refusal{"FrontEndNotADatabase",
                [](DemoScene& s, Text&) {
                  std::ofstream(s.files.frontEnd, std::ios::trunc) << "not a database file......";
                },
                3343},
        Refusal{"UnmappedDrive",
                [](DemoScene& s, Text& t) { Replace(t, s.frontEnd, u"Q:\\a.mde"); }, 3024},
        Refusal{"OtherProvider", [](DemoScene&, Text& t) { t = u"Provider=SQLOLEDB;" + t; }, 3706}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Engine, MissingFileIsNamedAsGivenByTheEngine) {
  ::unlink(scene.files.frontEnd.c_str());
  ExpectError([&] { OpenAsLauncher(scene.LauncherConnectionText()); }, 3024,
              u"Could not find file '" + scene.frontEnd + u"'.");
  try {
    OpenAsLauncher(scene.LauncherConnectionText());
  } catch (const Error& error) {
    EXPECT_EQ(error.Source(), kJetSource);
  }
}
TEST_F(Engine, FrontEndHeldExclusivelyElsewhereIsInUse) {
  const LockHolder holder(scene.files.frontEnd, LockKind::kExclusive);
  ExpectError([&] { OpenAsLauncher(scene.LauncherConnectionText()); }, 3045);
}

TEST_F(Engine, RecordsetNeedsAProviderAndAConnectionText) {
  ExpectError([&] { FirstField(kBackEndDiscoveryQuery, u""); }, 3709);
  ExpectError([&] { FirstField(kBackEndDiscoveryQuery, u"  "); }, 3709);
  // The text as set on the connection names no provider.
  EXPECT_THROW(FirstField(kBackEndDiscoveryQuery, scene.LauncherConnectionText()), Error);
}

// The probe fails, naming the reason, when the link to the back-end is
// broken; the discovery, which reads only the front-end, still works.
struct BrokenLink {
  const char* name;
  std::function<std::unique_ptr<LockHolder>(DemoScene&)> arrange;
  std::int32_t number;
};

class ProbeFails : public Engine, public ::testing::WithParamInterface<BrokenLink> {};

TEST_P(ProbeFails, WhileDiscoveryStillReadsTheFrontEnd) {
  const auto holder = GetParam().arrange(scene);
  ExpectError([&] { FirstField(kBackEndProbeQuery, scene.ProbeConnectionText()); },
              GetParam().number);
  EXPECT_EQ(FirstField(kBackEndDiscoveryQuery, scene.ProbeConnectionText()), scene.dataBackEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProbeFails,
    ::testing::Values(BrokenLink{"BackEndMissing",
                                 [](DemoScene& s) {
                                   ::unlink(s.files.dataBackEnd.c_str());
                                   return std::unique_ptr<LockHolder>();
                                 },
                                 3024},
                      BrokenLink{"BackEndHeldExclusively",
                                 [](DemoScene& s) {
                                   return std::make_unique<LockHolder>(s.files.dataBackEnd,
                                                                       LockKind::kExclusive);
                                 },
                                 3045},
                      BrokenLink{"BackEndUnderAnotherPassword",
                                 [](DemoScene& s) {
                                   ::unlink(s.files.dataBackEnd.c_str());
                                   CreateDataBackEnd(s.files.dataBackEnd, u"another");
                                   return std::unique_ptr<LockHolder>();
                                 },
                                 3031},
                      BrokenLink{"BackEndWithoutTheTables",
                                 [](DemoScene& s) {
                                   ::unlink(s.files.dataBackEnd.c_str());
                                   CreateWorkgroupFile(s.files.dataBackEnd, {});
                                   return std::unique_ptr<LockHolder>();
                                 },
                                 3078}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Engine, FrontEndWithoutLinksHasNoCurrentRecord) {
  const std::string bare = scene.folder.File("app/bare.mde");
  CreateFrontEnd(bare, u"Korvane", {});
  Text text = scene.ProbeConnectionText();
  Replace(text, scene.frontEnd, DriveMap().ToWindows(bare));
  ExpectError([&] { FirstField(kBackEndDiscoveryQuery, text); }, 3021);
}

TEST_F(Engine, SeveralBackEndsGiveOneOfThem) {
  const std::string other = scene.folder.File("share/other.mdb");
  CreateDataBackEnd(other, u"");
  const Text otherPath = DriveMap().ToWindows(other);
  const std::string frontEnd = scene.folder.File("app/two.mde");
  CreateFrontEnd(frontEnd, u"Korvane",
                 {{u"代码", u"代码", scene.dataBackEnd, u"tandr4820517"},
                  {u"人员编码", u"人员编码", otherPath, u""}});
  Text text = scene.ProbeConnectionText();
  Replace(text, scene.frontEnd, DriveMap().ToWindows(frontEnd));
  const Text first = FirstField(kBackEndDiscoveryQuery, text);
  EXPECT_TRUE(first == scene.dataBackEnd || first == otherPath) << ToUtf8(first);
  EXPECT_NO_THROW(FirstField(kBackEndProbeQuery, text));
}

TEST_F(Engine, NullFieldAndClosedObjectsRaise) {
  const auto recordset = engine.CreateRecordset();
  ExpectError([&] { recordset->Close(); }, 3704);
  recordset->Open(u"SELECT Database FROM MSysObjects WHERE Type = 1", scene.ProbeConnectionText(),
                  kStaticCursor, kOptimisticLock, kNoOptions);
  ExpectError([&] { recordset->FirstFieldText(); }, 94);
  recordset->Close();
  ExpectError([&] { recordset->FirstFieldText(); }, 3704);
  const auto connection = engine.CreateConnection();
  ExpectError([&] { connection->Close(); }, 3704);
}

struct OwnerAccessCase {
  const char16_t* sql;
  const char16_t* run;
};

class OwnerAccessOption : public ::testing::TestWithParam<OwnerAccessCase> {};

TEST_P(OwnerAccessOption, OnlyTheClosingClauseIsDropped) {
  EXPECT_EQ(WithoutOwnerAccessOption(GetParam().sql), GetParam().run);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OwnerAccessOption,
    ::testing::Values(
        OwnerAccessCase{kBackEndDiscoveryQuery,
                        u" SELECT Database FROM MSysObjects GROUP BY Database HAVING ((Not ( "
                        u"Database) = 'isnull'))"},
        OwnerAccessCase{kBackEndProbeQuery, kBackEndProbeQuery},
        OwnerAccessCase{u"SELECT 1 with  OwnerAccess\tOPTION ; ", u"SELECT 1"},
        OwnerAccessCase{u"SELECT 'WITH OWNERACCESS OPTION' AS x",
                        u"SELECT 'WITH OWNERACCESS OPTION' AS x"},
        OwnerAccessCase{u"SELECT xWITH OWNERACCESS OPTION", u"SELECT xWITH OWNERACCESS OPTION"}));

}  // namespace
}  // namespace korvane::linux_edition
