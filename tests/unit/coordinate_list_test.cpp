#include "core/coordinate_list.h"

#include <gtest/gtest.h>

namespace zemvo {
namespace {

// A coordinate list with a caption row and the given rows of name, X, Y, Z.
StringGrid listOf(std::initializer_list<std::array<const char16_t*, 4>> rows) {
  StringGrid grid(5, static_cast<int>(rows.size()) + 1);
  int r = 1;
  for (const auto& row : rows) {
    for (int c = 0; c < 4; ++c) grid.setCell(c, r, row[static_cast<std::size_t>(c)]);
    ++r;
  }
  return grid;
}

TEST(CoordinateList, HasDataLooksAtTheXCellOfRowOneOnly) {
  EXPECT_FALSE(HasData(StringGrid(5, 1)));
  EXPECT_FALSE(HasData(listOf({{u"A", u"", u"2", u""}, {u"B", u"1", u"2", u""}})));
  EXPECT_TRUE(HasData(listOf({{u"", u"0", u"", u""}})));
}

TEST(CoordinateList, RenumberPlotNoWritesOneToN) {
  StringGrid grid = listOf({{u"A", u"1", u"1", u""}, {u"B", u"2", u"2", u""}, {u"C", u"3", u"3", u""}});
  grid.setCell(kPlotNoColumn, 2, u"99");
  int notifications = 0;
  grid.setListener([&](GridChange) { ++notifications; });
  RenumberPlotNo(grid);
  EXPECT_EQ(grid.cell(kPlotNoColumn, 1), u"1");
  EXPECT_EQ(grid.cell(kPlotNoColumn, 2), u"2");
  EXPECT_EQ(grid.cell(kPlotNoColumn, 3), u"3");
  EXPECT_EQ(grid.cell(kPlotNoColumn, 0), u"");
  EXPECT_EQ(notifications, 1);  // one repaint for the whole column
}

TEST(CoordinateList, GroupPrefixComesFromRowOne) {
  struct Case {
    const char16_t* delimiter;
    const char16_t* firstName;
    int length;
    const char16_t* prefix;
  };
  const Case cases[] = {
      {u"-", u"A-1", 1, u"A"},   {u"-", u"BB-1", 2, u"BB"}, {u"-", u"-A", 0, u""},
      {u"", u"A-1", 0, u""},     {u"-", u"A1", 0, u""},     {u"-x", u"KK-1", 2, u"KK"},
      {u"_", u"測点_1", 2, u"測点"},
  };
  for (const Case& c : cases) {
    const PointNamePrefix prefix = GroupPrefix(listOf({{c.firstName, u"1", u"1", u""}}), c.delimiter);
    EXPECT_EQ(prefix.length, c.length) << toUtf8(c.firstName);
    EXPECT_EQ(prefix.prefix, c.prefix) << toUtf8(c.firstName);
  }
}

std::vector<std::int32_t> groupsOf(std::initializer_list<const char16_t*> names, const char16_t* delimiter) {
  StringGrid grid(5, static_cast<int>(names.size()) + 1);
  int r = 1;
  for (const char16_t* name : names) {
    grid.setCell(kNameColumn, r, name);
    grid.setCell(kXColumn, r++, u"1");
  }
  std::vector<std::int32_t> groups;
  for (const TPlotData& entry : BuildPlotData(grid, true, GroupPrefix(grid, delimiter))) groups.push_back(entry.grp);
  return groups;
}

TEST(CoordinateList, GroupsFollowTheFixedPrefixLength) {
  using G = std::vector<std::int32_t>;
  EXPECT_EQ(groupsOf({u"A-1", u"A-2", u"BB-1"}, u"-"), (G{0, 0, 1}));  // "BB-1" is cut to "B"
  EXPECT_EQ(groupsOf({u"K-1", u"K-2", u"", u"M-1"}, u"-"), (G{0, 0, 0, 1}));
  EXPECT_EQ(groupsOf({u"-A", u"B-1", u"C-1"}, u"-"), (G{0, 0, 0}));
  EXPECT_EQ(groupsOf({u"A1", u"B-1", u"C-1"}, u"-"), (G{0, 0, 0}));
  EXPECT_EQ(groupsOf({u"AB-1", u"A", u"AB-2", u"a-1"}, u"-"), (G{0, 1, 2, 3}));  // short name, case
}

TEST(CoordinateList, BuildPlotDataReadsEveryRowWithOrWithoutZ) {
  const StringGrid grid = listOf({{u"P1", u"10.5", u"-2", u"3.25"}, {u"", u"", u"", u""}, {u"P3", u"x", u"1e2", u"7"}});
  const auto withZ = BuildPlotData(grid, true, {});
  ASSERT_EQ(withZ.size(), 3u);
  EXPECT_EQ(withZ[0].idx, 0);
  EXPECT_EQ(withZ[0].name, u"P1");
  EXPECT_EQ(withZ[0].pt.x, 10.5L);
  EXPECT_EQ(withZ[0].pt.y, -2.0L);
  EXPECT_EQ(withZ[0].pt.z, 3.25L);
  EXPECT_EQ(withZ[1].idx, 1);  // a blank row is an entry at the origin
  EXPECT_EQ(withZ[1].name, u"");
  EXPECT_EQ(withZ[1].pt.x, 0.0L);
  EXPECT_EQ(withZ[2].pt.x, 0.0L);  // not a number reads as 0
  EXPECT_EQ(withZ[2].pt.y, 100.0L);
  const auto flat = BuildPlotData(grid, false, {});
  EXPECT_EQ(flat[0].pt.z, 0.0L);
  EXPECT_EQ(flat[2].pt.z, 0.0L);
}

TEST(CoordinateList, SplitByCommaKeepsEmptyAndUntrimmedPieces) {
  using L = std::vector<Text>;
  std::vector<Text> pieces{u"stale"};
  SplitByComma(u"1,,2,", pieces);
  EXPECT_EQ(pieces, (L{u"1", u"", u"2", u""}));
  SplitByComma(u"", pieces);
  EXPECT_EQ(pieces, (L{u""}));
  SplitByComma(u"a,", pieces);
  EXPECT_EQ(pieces, (L{u"a", u""}));
  SplitByComma(u" a , b", pieces);
  EXPECT_EQ(pieces, (L{u" a ", u" b"}));
}

TEST(PlanarDistance, IgnoresZ) {
  EXPECT_EQ(planarDistance({0, 0, 5}, {3, 4, -100}), 5.0L);
}

}  // namespace
}  // namespace zemvo
