#include <gtest/gtest.h>

#include "dialog_filter.h"

namespace korvane::ui {
namespace {

struct FilterRow {
  Text filter;
  QStringList expected;
};
void PrintTo(const FilterRow& row, std::ostream* out) {
  *out << ToUtf8(row.filter);
}

class DialogFilter : public ::testing::TestWithParam<FilterRow> {};

TEST_P(DialogFilter, BecomesQtNameFilters) {
  EXPECT_EQ(NameFiltersFrom(GetParam().filter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    , DialogFilter,
    ::testing::Values(
        FilterRow{u"数据库后端文件|*.mdb", {QStringLiteral("数据库后端文件 (*.mdb)")}},
        FilterRow{u"数据库|*.mdb;*.mde|所有文件|*.*",
                  {QStringLiteral("数据库 (*.mdb *.mde)"), QStringLiteral("所有文件 (*.*)")}},
        FilterRow{u"数据库|*.mdb|无模式", {QStringLiteral("数据库 (*.mdb)")}}, FilterRow{u"", {}}));

}  // namespace
}  // namespace korvane::ui
