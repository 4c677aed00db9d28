// Backing up and compacting the data back-end: the messages, and what lies
// on disk afterwards under each name, also when any one call fails.

#include <gtest/gtest.h>

#include "fakes/world.h"
#include "maintenance/maintain_back_end.h"

#include "row_name.h"

namespace korvane::testing {
namespace {

const std::string kCompacted = FakeEngine::Compacted(kBackEndData);

// A scene's set-up beyond the standard world.
using WorldStep = std::function<void(World&)>;
using FileState = std::pair<Text, std::optional<std::string>>;

struct MaintenanceRow {
  const char* name;
  WorldStep scene;
  Text action;
  std::vector<MessageBox> messages;
  std::vector<FileState> files;  // afterwards; nothing: no such file
};

class Maintenance : public ::testing::TestWithParam<MaintenanceRow> {};

TEST_P(Maintenance, LeavesTheFilesAsExpected) {
  const MaintenanceRow& row = GetParam();
  World w;
  w.host.PutFile(kBackUpPath, "old backup");
  if (row.scene) row.scene(w);

  EXPECT_EQ(w.Run([&] { MaintainBackEnd(w.launcher, row.action); }), Outcome::kReturned);

  EXPECT_EQ(w.host.messages, row.messages);
  bool tempListed = false;
  for (const auto& [path, content] : row.files) {
    EXPECT_EQ(w.host.Content(path), content) << ::testing::PrintToString(path);
    tempListed = tempListed || path == kBackUpTempPath;
  }
  if (!tempListed) {
    EXPECT_FALSE(w.host.Has(kBackUpTempPath));
  }
  // Whatever another user wrote and the launcher let in is still there.
  if (w.host.landedWrite) {
    EXPECT_EQ(w.host.Content(w.host.landedWrite->first), w.host.landedWrite->second);
  }
}

const FileState kBackEndKept{kBackEndPath, kBackEndData};
const FileState kBackUpKept{kBackUpPath, "old backup"};
const FileState kBackUpNew{kBackUpPath, kBackEndData};
const FileState kNoScratch{kScratchPath, std::nullopt};

// The back-end the catalogue names, in place of the standard one.
WorldStep BackEndAt(const char16_t* path) {
  return [path](World& w) {
    w.host.RemoveFile(kBackEndPath);
    w.host.PutFile(path, kBackEndData);
    w.engine.firstRow = path;
  };
}

// What the compacted copy holds when the engine repaired the back-end while
// compacting it, or when the back-end changed meanwhile.
WorldStep CopyHolds(std::vector<FakeEngine::Table> tables) {
  return [tables](World& w) { w.engine.compactedTables = tables; };
}
const FileState kCompactedInPlace{kBackEndPath, kCompacted};
const FileState kCopyLeftAsScratch{kScratchPath, kCompacted};
const FileState kNoReplacedBackEnd{kCompactionReplacedPath, std::nullopt};
const FileState kNoReplacedBackUp{kBackUpReplacedPath, std::nullopt};

// Another user's write of the back-end, for a moment of the command.
std::function<void()> AnotherUsersWrite(World& w) {
  return [&w] { w.host.WriteAsAnotherUser(kBackEndPath, "another user's write"); };
}
const FileState kWriteKept{kBackEndPath, "another user's write"};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Table, Maintenance,
    ::testing::Values(
        // A path read before the discovery failed is not trusted.
        MaintenanceRow{"DiscoveryFailsAfterReading", [](World& w) { w.log.Fail("Recordset.Close"); }, u"涮新",
                       {kNotFound}, {kBackEndKept}},
        MaintenanceRow{"CompactWithBlank", {}, u"涮新 ", {}, {kBackEndKept, kNoScratch}},
        MaintenanceRow{"StaleScratchRemovedFirst", [](World& w) { w.host.PutFile(kScratchPath, "stale"); },
                       u"涮新", {kCompactedNotice}, {kCompactedInPlace, kNoScratch, kNoReplacedBackEnd}},
        // The back-end is shared: a write that reached it after the compaction
        // began keeps it as it is, and none gets in between the check and the swap.
        MaintenanceRow{"WriteRightAfterCompactionSurvives", [](World& w) { w.engine.afterCompaction = AnotherUsersWrite(w); }, u"涮新", {},
                       {kWriteKept, kCopyLeftAsScratch}},
        MaintenanceRow{"OpenedForWritingRightAfterCompaction",
                       [](World& w) { w.engine.afterCompaction = [&w] { w.host.SetOpenForWriting(kBackEndPath); }; },
                       u"涮新", {}, {kBackEndKept, kCopyLeftAsScratch}},
        MaintenanceRow{"WriteJustBeforeTheSwapIsKeptOut", [](World& w) { w.host.beforeReplace = AnotherUsersWrite(w); }, u"涮新",
                       {kCompactedNotice}, {kCompactedInPlace, kNoScratch}},
        // Neither finished nor undone: nothing is removed, the data lies under both names.
        MaintenanceRow{"SwapStranded", [](World& w) { w.host.swapStrands = true; }, u"涮新", {},
                       {{kBackEndPath, std::nullopt}, kCopyLeftAsScratch, {kCompactionReplacedPath, kBackEndData}}},
        MaintenanceRow{"LeftoversOfEarlierSwapsGo",
                       [](World& w) { w.host.PutFile(kCompactionReplacedPath, "left over");
                                      w.host.PutFile(kBackUpReplacedPath, "left over"); },
                       u"涮新", {kCompactedNotice}, {kCompactedInPlace, kNoReplacedBackEnd, kBackUpKept}},
        // Links and pass-through tables are other files' rows: a broken one
        // does not stop the compaction of this one.
        MaintenanceRow{"BrokenLinkIsNotCounted",
                       [](World& w) { w.engine.tables.push_back({u"外部数据", -1, u"LINK"});
                                      w.engine.tables.push_back({u"服务器表", -1, u"PASS-THROUGH"}); },
                       u"涮新", {kCompactedNotice}, {kCompactedInPlace, kNoScratch}},
        // The stem is the path less four characters, whatever they are, and only
        // the back-end's own name is ever replaced.
        MaintenanceRow{"DatBackEndBesideAnUnrelatedMdb",
                       [](World& w) { BackEndAt(u"D:\\share\\data.dat")(w); w.host.PutFile(kBackEndPath, "unrelated"); },
                       u"涮新", {},
                       {{u"D:\\share\\data.dat", kBackEndData}, kCopyLeftAsScratch, {kBackEndPath, "unrelated"}}},
        // Four characters leave an empty stem: still the back-end's own name.
        MaintenanceRow{"EmptyStem", BackEndAt(u".MDB"), u"涮新", {kCompactedNotice},
                       {{u".mdb", kCompacted}, {u"备份.mdb", std::nullopt}}},
        // The engine's own tables may differ, and names compare without ASCII case.
        MaintenanceRow{"SameUserTables", CopyHolds({{u"STAFF", 3}, {u"代码", 6}, {u"MSysObjects", 20},
                                                    {u"~TMPCLP41", 1}}),
                       u"涮新", {kCompactedNotice}, {kCompactedInPlace, kNoScratch}},
        MaintenanceRow{"FewerRows", CopyHolds({{u"代码", 5}, {u"Staff", 3}}), u"涮新", {},
                       {kBackEndKept, kCopyLeftAsScratch}},
        MaintenanceRow{"CompactErrorsInSmallLetters",
                       CopyHolds({{u"代码", 6}, {u"Staff", 3}, {u"msyscompacterror", 1}}), u"涮新", {},
                       {kBackEndKept, kCopyLeftAsScratch}},
        // An earlier repair of the back-end left its table behind: new errors still refuse.
        MaintenanceRow{"NewCompactErrorsBesideEarlierOnes",
                       [](World& w) { w.engine.tables.push_back({u"MSysCompactError", 2});
                                      w.engine.compactedTables = w.engine.tables;
                                      w.engine.compactedTables->back().rows = 3; },
                       u"涮新", {}, {kBackEndKept, kCopyLeftAsScratch}},
        // A copy that cannot be checked is not swapped in.
        MaintenanceRow{"CopyCannotBeOpened", [](World& w) { w.log.Fail("Catalog.Open"); }, u"涮新", {},
                       {kBackEndKept, kCopyLeftAsScratch}},
        MaintenanceRow{"FirstBackUp", [](World& w) { w.host.RemoveFile(kBackUpPath); }, u"备份", {kBackedUpNotice}, {kBackUpNew}},
        MaintenanceRow{"LeftoverTemporaryFile", [](World& w) { w.host.PutFile(kBackUpTempPath, "left over"); },
                       u"备份", {kBackedUpNotice}, {kBackUpNew, kNoReplacedBackUp}},
        // The backup and its temporary file are the launcher's own: read-only never jams them.
        MaintenanceRow{"ReadOnlyOldBackUp", [](World& w) { w.host.SetReadOnly(kBackUpPath); }, u"备份",
                       {kBackedUpNotice}, {kBackUpNew, kNoReplacedBackUp}},
        MaintenanceRow{"FailedBackUpRemovesAReadOnlyLeftover",
                       [](World& w) { w.host.PutFile(kBackUpTempPath, "left over"); w.host.SetReadOnly(kBackUpTempPath);
                                      w.host.SetOpenForWriting(kBackEndPath); }, u"备份", {}, {kBackUpKept}},
        // Another user writing the back-end: no copy of it is made, nor torn.
        MaintenanceRow{"BackUpCancelled", [](World& w) { w.window.userCancels = true; }, u"备份", {}, {kBackUpKept}},
        MaintenanceRow{"BackEndOpenForWriting", [](World& w) { w.host.SetOpenForWriting(kBackEndPath); }, u"备份", {},
                       {kBackUpKept}},
        MaintenanceRow{"WriteDuringTheCopyIsKeptOut", [](World& w) { w.host.duringCopy = AnotherUsersWrite(w); }, u"备份", {kBackedUpNotice},
                       {kBackUpNew}},
        // The new copy is the one complete backup left under its own name: it stays.
        MaintenanceRow{"BackUpSwapStranded", [](World& w) { w.host.swapStrands = true; }, u"备份", {},
                       {{kBackUpPath, std::nullopt}, {kBackUpReplacedPath, "old backup"}, {kBackUpTempPath, kBackEndData}}}),
    RowName());
// clang-format on

// The swap names the back-end as the catalogue spells it, whatever the
// case of its ".mdb".
TEST(Compaction, SwapsTheScratchFileInUnderTheSamePassword) {
  const Text backEnd = u"D:\\share\\Data.mDb";
  World w;
  BackEndAt(backEnd.c_str())(w);
  MaintainBackEnd(w.launcher, u"涮新");
  // The engine comes first: without it nothing is looked for.
  EXPECT_EQ(w.log.Operations().front(), "CreateCompactionEngine");
  const Text prefix =
      u"Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password='tandr4820517';Data Source=";
  const Text scratch = u"D:\\share\\Data备份.mdb";
  EXPECT_EQ(w.log.CallsOf("CompactDatabase").at(0).arguments,
            (std::vector<Text>{prefix + backEnd, prefix + scratch}));
  // The check only reads, and keeps no file open once closed: a pooled or
  // open catalogue would hold the file the swap replaces.
  const Text check =
      u"Provider=Microsoft.Jet.OLEDB.4.0;OLE DB Services=-2;Mode=Read;"
      u"Jet OLEDB:Database Password='tandr4820517';Data Source=";
  EXPECT_EQ(w.log.CallsOf("Catalog.Open").at(0).arguments, (std::vector<Text>{check + scratch}));
  EXPECT_EQ(w.log.CallsOf("Catalog.Open").at(1).arguments, (std::vector<Text>{check + backEnd}));
  EXPECT_EQ(w.log.Count("Catalog.Close"), 2u);
  EXPECT_EQ(w.log.CallsOf("ReplaceFile").at(0).arguments,
            (std::vector<Text>{backEnd, scratch, u"D:\\share\\Data压缩前.old"}));
}

// Every call of a maintenance run made to fail in turn: the routine ends
// silently, and neither the back-end nor the previous backup is lost, nor
// does a temporary backup stay behind, whichever step fails.
class MaintenanceSweep : public ::testing::TestWithParam<const char16_t*> {};

TEST_P(MaintenanceSweep, LosesNothingWhicheverCallFails) {
  const auto run = [](World& w) {
    w.host.PutFile(kBackUpPath, "old backup");
    w.host.PutFile(kScratchPath, "stale scratch");
    return w.Run([&] { MaintainBackEnd(w.launcher, GetParam()); });
  };
  World clean;
  run(clean);
  const std::vector<std::string> baseline = clean.log.Operations();

  for (std::size_t index = 0; index < baseline.size(); ++index) {
    SCOPED_TRACE("call " + std::to_string(index) + " " + baseline[index] + " fails");
    World w;
    w.log.FailCallAt(index);
    EXPECT_EQ(run(w), Outcome::kReturned);
    const auto backEnd = w.host.Content(kBackEndPath);
    EXPECT_TRUE(backEnd == kBackEndData || backEnd == FakeEngine::Compacted(kBackEndData))
        << backEnd.value_or("lost");
    const auto backUp = w.host.Content(kBackUpPath);
    EXPECT_TRUE(backUp == "old backup" || backUp == kBackEndData) << backUp.value_or("lost");
    EXPECT_FALSE(w.host.Has(kBackUpTempPath));
  }
}

INSTANTIATE_TEST_SUITE_P(CompactAndBackUp, MaintenanceSweep, ::testing::Values(u"涮新", u"备份"));

}  // namespace
}  // namespace korvane::testing
