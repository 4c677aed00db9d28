// Splitting the dialog's chosen path into the folder and the file name the
// archive is copied from.

#include <gtest/gtest.h>

#include "fakes/world.h"
#include "launch/archive_query.h"

#include "row_name.h"

namespace korvane::testing {
namespace {

struct SplitRow {
  const char* name;
  Text currentDirectory;
  Text chosenPath;
  Text folder;
  Text fileName;
};

class SplitChosenPathTable : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SplitChosenPathTable, Splits) {
  const SplitRow& row = GetParam();
  World w;
  w.host.currentDirectory = row.currentDirectory;
  const PathParts parts = SplitChosenPath(w.launcher, row.chosenPath);
  EXPECT_EQ(parts.Folder, row.folder);
  EXPECT_EQ(parts.FileName, row.fileName);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Table, SplitChosenPathTable,
    ::testing::Values(
        // The file lies in the current directory.
        SplitRow{"SecondBackslashStays", u"D:\\档案", u"D:\\档案\\\\arch.mdb", u"D:\\档案\\",
                 u"\\arch.mdb"},
        // The file lies elsewhere: it is split at its own last backslash.
        SplitRow{"NoCurrentDirectory", u"", u"D:\\a\\b.mdb", u"D:\\a\\", u"b.mdb"},
        SplitRow{"CurrentDirectoryIsOnlyAPrefix", u"C:\\Temp", u"C:\\TempOld\\arch.mdb",
                 u"C:\\TempOld\\", u"arch.mdb"},
        // No single file named.
        SplitRow{"NoBackslash", u"C:\\Temp", u"arch.mdb", u"", u""},
        SplitRow{"SeveralFilesSelected", u"D:\\档案", u"D:\\档案\0a.mdb\0b.mdb"s, u"", u""}),
    RowName());

}  // namespace
}  // namespace korvane::testing
