// The database engine stand-in on Korvane's demo files: accounts, the
// launcher's two queries as they stand, linked tables, locks.

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <optional>

#include "database/back_end_link.h"
#include "launch/front_end_launch.h"
#include "linux/services/sqlite_database.h"
#include "linux/services/sqlite_engine.h"
#include "linux/services/stand_in_files.h"
#include "linux/services/utf8_text.h"
#include "platform/error.h"
#include "support/demo_scene.h"
#include "support/lock_holder.h"

#include "row_name.h"

namespace korvane::linux_edition {
namespace {

using testing::DemoScene;
using testing::LockHolder;

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
  void ExpectError(const std::function<void()>& step, std::int32_t number) {
    try {
      step();
      ADD_FAILURE() << "no error raised";
    } catch (const Error& error) {
      EXPECT_EQ(error.Number(), number) << ToUtf8(error.Description());
    }
  }

  DemoScene scene;
  SqliteDatabaseEngine engine;
};

TEST_F(Engine, AccountNameIgnoresCase) {
  Text text = scene.LauncherConnectionText();
  EXPECT_NO_THROW(OpenAsLauncher(text.replace(text.find(u"qorvu"), 5, u"QORVU")));
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
        Refusal{"WrongPassword", [](DemoScene&, Text& t) { Replace(t, u"pelmo", u"PELMO"); }, 3029},
        Refusal{"NoAccountWithWorkgroup",
                [](DemoScene&, Text& t) { Replace(t, u"user id=qorvu;Password=pelmo", u""); },
                3029},
        Refusal{"WorkgroupMissing",
                [](DemoScene& s, Text&) { ::unlink(s.files.workgroupFile.c_str()); }, 3028},
        Refusal{"FrontEndNotADatabase",
                [](DemoScene& s, Text&) {
                  std::ofstream(s.files.frontEnd, std::ios::trunc) << "not a database file......";
                },
                3343},
        Refusal{"OtherProvider", [](DemoScene&, Text& t) { t = u"Provider=SQLOLEDB;" + t; }, 3706}),
    RowName());

TEST_F(Engine, FrontEndHeldExclusivelyElsewhereIsInUse) {
  const LockHolder holder(scene.files.frontEnd, LockKind::kExclusive);
  ExpectError([&] { OpenAsLauncher(scene.LauncherConnectionText()); }, 3045);
}

// The probe fails, naming the reason, when the link to the back-end is
// broken; the discovery, which reads only the front-end, still works.
struct BrokenLink {
  const char* name;
  std::function<void(DemoScene&)> arrange;
  bool backEndHeldElsewhere;
  std::int32_t number;
};

class ProbeFails : public Engine, public ::testing::WithParamInterface<BrokenLink> {};

TEST_P(ProbeFails, WhileDiscoveryStillReadsTheFrontEnd) {
  GetParam().arrange(scene);
  std::optional<LockHolder> holder;
  if (GetParam().backEndHeldElsewhere)
    holder.emplace(scene.files.dataBackEnd, LockKind::kExclusive);
  ExpectError([&] { FirstField(kBackEndProbeQuery, scene.ProbeConnectionText()); },
              GetParam().number);
  EXPECT_EQ(FirstField(kBackEndDiscoveryQuery, scene.ProbeConnectionText()), scene.dataBackEnd);
}

void NoChange(DemoScene&) {}

INSTANTIATE_TEST_SUITE_P(
    Table, ProbeFails,
    ::testing::Values(BrokenLink{"BackEndMissing",
                                 [](DemoScene& s) { ::unlink(s.files.dataBackEnd.c_str()); }, false,
                                 3024},
                      BrokenLink{"BackEndHeldExclusively", NoChange, true, 3045},
                      BrokenLink{"BackEndUnderAnotherPassword",
                                 [](DemoScene& s) {
                                   ::unlink(s.files.dataBackEnd.c_str());
                                   CreateDataBackEnd(s.files.dataBackEnd, u"another");
                                 },
                                 false, 3031}),
    RowName());

// What a catalogue reads from a back-end, through the launcher's compaction
// text: every table but SQLite's own and the views, the engine's included.
struct CatalogRead {
  std::vector<Text> names;
  std::vector<std::int64_t> rows;
};

CatalogRead ReadCatalog(SqliteDatabaseEngine& engine, const Text& connectionText) {
  const auto catalog = engine.CreateCatalog();
  catalog->Open(connectionText);
  CatalogRead read{catalog->TableNames(), {}};
  for (const Text& name : read.names) read.rows.push_back(catalog->RowCount(name));
  catalog->Close();
  return read;
}

TEST_F(Engine, CatalogListsTablesWithTheirRowsAndLeavesViewsOut) {
  {
    const SqliteDatabase db(scene.files.dataBackEnd, SqliteDatabase::Mode::kReadWrite, Text());
    db.Execute(
        "CREATE VIEW 现金科目 AS SELECT * FROM 代码 WHERE 代码 LIKE 'A%';"
        "CREATE TABLE \"日志 \"\"全\"\"\" (id INTEGER PRIMARY KEY AUTOINCREMENT);"
        "INSERT INTO \"日志 \"\"全\"\"\" DEFAULT VALUES;");
  }
  const CatalogRead read = ReadCatalog(engine, DemoScene::CompactionText(scene.dataBackEnd));
  EXPECT_EQ(read.names,
            (std::vector<Text>{u"人员编码", u"代码", u"MSysDatabasePassword", u"日志 \"全\""}));
  EXPECT_EQ(read.rows, (std::vector<std::int64_t>{6, 7, 1, 1}));
}

// A catalogue refuses a wrong password, an unknown table and a second close.
TEST_F(Engine, CatalogRefusesWithTheEnginesError) {
  const auto catalog = engine.CreateCatalog();
  ExpectError([&] { catalog->Open(DemoScene::CompactionText(scene.dataBackEnd, u"x")); }, 3031);
  catalog->Open(DemoScene::CompactionText(scene.dataBackEnd));
  ExpectError([&] { catalog->RowCount(u"代码2"); }, 3078);
  catalog->Close();
  ExpectError([&] { catalog->Close(); }, 3704);
}

// An open catalogue holds its file as any open database does: no
// compaction meanwhile. Closing it lets the file go.
TEST_F(Engine, CatalogHoldsItsFileUntilClosed) {
  const Text text = DemoScene::CompactionText(scene.dataBackEnd);
  const Text copy = DemoScene::CompactionText(scene.folder.WindowsFile("share/copy.mdb"));
  const auto catalog = engine.CreateCatalog();
  catalog->Open(text);
  ExpectError([&] { engine.CreateCompactionEngine()->CompactDatabase(text, copy); }, 3045);
  catalog->Close();
  EXPECT_NO_THROW(engine.CreateCompactionEngine()->CompactDatabase(text, copy));
}

}  // namespace
}  // namespace korvane::linux_edition
