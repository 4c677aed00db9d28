// The database engine stand-in on Korvane's demo files: accounts, the
// launcher's two queries as they stand, linked tables, locks.

#include <sys/stat.h>
#include <unistd.h>

#include "database/back_end_link.h"
#include "launch/front_end_launch.h"
#include "linux/services/file_lock.h"
#include "linux/services/file_stamp.h"
#include "linux/services/sqlite_database.h"
#include "linux/services/stand_in_files.h"
#include "maintenance/maintain_back_end.h"
#include "support/engine_test.h"

#include "row_name.h"

namespace korvane::linux_edition {
namespace {

using testing::DemoScene;

class Engine : public testing::EngineTest {
 protected:
  // Opens and closes a connection as the launcher does.
  void OpenAsLauncher(const Text& text) {
    const auto connection = engine.CreateConnection();
    connection->SetProvider(kJetProvider);
    connection->SetConnectionString(text);
    connection->Open(Text(), Text(), Text(), kNoOptions);
    connection->Close();
  }
  Text FirstField(const Text& sql, const Text& connectionText) {
    const auto recordset = engine.CreateRecordset();
    recordset->Open(sql, connectionText, kDynamicCursor, kOptimisticLock, kNoOptions);
    const Text value = recordset->FirstFieldText();
    recordset->Close();
    return value;
  }
};

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
  EXPECT_EQ(ErrorNumber([&] { OpenAsLauncher(text); }), GetParam().number);
  EXPECT_EQ(ErrorNumber([&] {
              FirstField(kBackEndDiscoveryQuery, u"Provider=Microsoft.Jet.OLEDB.4.0;" + text);
            }),
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
        Refusal{"OtherProvider", [](DemoScene&, Text& t) { t = u"Provider=SQLOLEDB;" + t; }, 3706}),
    RowName());

TEST_F(Engine, FrontEndHeldExclusivelyElsewhereIsInUse) {
  const FileLock held = FileLock::Acquire(scene.files.frontEnd, LockKind::kExclusive, u"");
  EXPECT_EQ(ErrorNumber([&] { OpenAsLauncher(scene.LauncherConnectionText()); }), 3045);
}

// The probe fails, naming the reason, when the link to the back-end is
// broken: the back-end held exclusively, or under another password. The
// discovery, which reads only the front-end, still works.
TEST_F(Engine, ProbeFailsWithTheReasonTheLinkIsBroken) {
  const auto expectProbeError = [&](std::int32_t number) {
    EXPECT_EQ(ErrorNumber([&] { FirstField(kBackEndProbeQuery, scene.ProbeConnectionText()); }),
              number);
    EXPECT_EQ(FirstField(kBackEndDiscoveryQuery, scene.ProbeConnectionText()), scene.dataBackEnd);
  };
  {
    const FileLock held = FileLock::Acquire(scene.files.dataBackEnd, LockKind::kExclusive, u"");
    expectProbeError(3045);
  }
  ::unlink(scene.files.dataBackEnd.c_str());
  CreateDataBackEnd(scene.files.dataBackEnd, u"another");
  expectProbeError(3031);
}

// What a catalogue reads from a back-end through the launcher's read-only
// text of its check: every table of the file with its kind (the engine's
// own as system tables), its views, and the links it lists, reachable or
// not. Reading leaves the file as it was, its last write included.
TEST_F(Engine, CatalogListsEveryKindOfTableAndLeavesTheFileUnwritten) {
  {
    const SqliteDatabase db(scene.files.dataBackEnd, SqliteDatabase::Mode::kReadWrite, Text());
    db.Execute(
        "CREATE VIEW 现金科目 AS SELECT * FROM 代码 WHERE 代码 LIKE 'A%';"
        "CREATE TABLE \"日志 \"\"全\"\"\" (id INTEGER PRIMARY KEY AUTOINCREMENT);"
        "INSERT INTO \"日志 \"\"全\"\"\" DEFAULT VALUES;"
        "CREATE TABLE MSysObjects (Name TEXT NOT NULL, Type INTEGER NOT NULL, Database TEXT, "
        "ForeignName TEXT, Connect TEXT);");
    // A link kept from the time the back-end had some, to a file gone since.
    Statement(db, "INSERT INTO MSysObjects VALUES ('旧代码', ?1, ?2, '代码', '')")
        .Bind(1, std::int64_t{kLinkedTableType})
        .Bind(2, scene.folder.WindowsFile("gone.mdb"))
        .Step();
  }
  struct stat before {};
  ::stat(scene.files.dataBackEnd.c_str(), &before);
  const auto catalog = engine.CreateCatalog();
  catalog->Open(kCheckConnectionPrefix + scene.dataBackEnd);
  const std::vector<CatalogTable> tables = catalog->Tables();
  EXPECT_EQ(tables, (std::vector<CatalogTable>{{u"人员编码", u"TABLE"},
                                               {u"代码", u"TABLE"},
                                               {u"MSysDatabasePassword", u"SYSTEM TABLE"},
                                               {u"日志 \"全\"", u"TABLE"},
                                               {u"MSysObjects", u"SYSTEM TABLE"},
                                               {u"现金科目", u"VIEW"},
                                               {u"旧代码", u"LINK"}}));
  std::vector<std::int64_t> rows;
  for (const CatalogTable& table : tables) {
    if (table.type != u"LINK") rows.push_back(catalog->RowCount(table.name));
  }
  EXPECT_EQ(rows, (std::vector<std::int64_t>{6, 7, 1, 1, 1, 2}));
  EXPECT_NE(ErrorNumber([&] { catalog->RowCount(u"旧代码"); }), 0);
  catalog->Close();
  struct stat after {};
  ::stat(scene.files.dataBackEnd.c_str(), &after);
  EXPECT_EQ(StampOfStatus(after), StampOfStatus(before));
}

// A catalogue refuses a wrong password, an unknown table and a second close.
TEST_F(Engine, CatalogRefusesWithTheEnginesError) {
  const auto catalog = engine.CreateCatalog();
  EXPECT_EQ(ErrorNumber([&] { catalog->Open(DemoScene::CompactionText(scene.dataBackEnd, u"x")); }),
            3031);
  catalog->Open(DemoScene::CompactionText(scene.dataBackEnd));
  EXPECT_EQ(ErrorNumber([&] { catalog->RowCount(u"代码2"); }), 3078);
  catalog->Close();
  EXPECT_EQ(ErrorNumber([&] { catalog->Close(); }), 3704);
}

// An open catalogue holds its file as any open database does: no
// compaction meanwhile. Closing it lets the file go.
TEST_F(Engine, CatalogHoldsItsFileUntilClosed) {
  const Text text = DemoScene::CompactionText(scene.dataBackEnd);
  const Text copy = DemoScene::CompactionText(scene.folder.WindowsFile("share/copy.mdb"));
  const auto catalog = engine.CreateCatalog();
  catalog->Open(text);
  EXPECT_EQ(ErrorNumber([&] { engine.CreateCompactionEngine()->CompactDatabase(text, copy); }),
            3045);
  catalog->Close();
  EXPECT_NO_THROW(engine.CreateCompactionEngine()->CompactDatabase(text, copy));
}

}  // namespace
}  // namespace korvane::linux_edition
