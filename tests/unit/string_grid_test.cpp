#include "core/string_grid.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zemvo {
namespace {

TEST(StringGrid, CellsOutsideReadEmptyAndRefuseWrites) {
  StringGrid grid(5, 3);
  grid.setCell(4, 2, u"x");
  EXPECT_EQ(grid.cell(4, 2), u"x");
  EXPECT_EQ(grid.cell(5, 0), u"");
  EXPECT_EQ(grid.cell(0, 3), u"");
  EXPECT_EQ(grid.cell(-1, 0), u"");
  EXPECT_THROW(grid.setCell(0, 3, u"y"), std::out_of_range);
}

TEST(StringGrid, RowsAndColumnsMoveWithTheirCells) {
  StringGrid grid(3, 3);
  grid.setCell(0, 1, u"a");
  grid.setCell(1, 1, u"b");
  grid.setCell(2, 1, u"c");
  grid.moveColumn(0, 2);
  EXPECT_EQ(grid.rowCells(1), (std::vector<Text>{u"b", u"c", u"a"}));
  grid.insertRow(1);
  EXPECT_EQ(grid.rowCount(), 4);
  EXPECT_EQ(grid.cell(0, 1), u"");
  EXPECT_EQ(grid.cell(0, 2), u"b");
  grid.deleteRow(1);
  EXPECT_EQ(grid.cell(0, 1), u"b");
  grid.setRowCount(2);
  grid.setRowCount(3);
  EXPECT_EQ(grid.cell(0, 2), u"");  // a removed row does not come back
}

TEST(StringGrid, CurrentCellAndSelectionStayInside) {
  StringGrid grid(5, 10);
  grid.setCurrent(7, 20);
  EXPECT_EQ(grid.col(), 4);
  EXPECT_EQ(grid.row(), 9);
  grid.setSelection({3, 8, 1, 2});
  EXPECT_EQ(grid.selection(), (GridRect{1, 2, 3, 8}));
  grid.setRowCount(5);
  EXPECT_EQ(grid.row(), 4);
  EXPECT_EQ(grid.selection(), (GridRect{1, 2, 3, 4}));
}

TEST(StringGrid, ABatchSendsOneNotification) {
  StringGrid grid(5, 2);
  std::vector<GridChange> changes;
  grid.setListener([&](GridChange change) { changes.push_back(change); });
  {
    StringGrid::Batch batch(grid);
    grid.setRowCount(1001);
    for (int r = 1; r <= 1000; ++r) grid.setCell(0, r, u"p");
  }
  EXPECT_EQ(changes, (std::vector<GridChange>{GridChange::Size}));
  changes.clear();
  grid.setCell(0, 1, u"q");
  grid.invalidate();
  EXPECT_EQ(changes, (std::vector<GridChange>{GridChange::Cells, GridChange::Repaint}));
}

}  // namespace
}  // namespace zemvo
