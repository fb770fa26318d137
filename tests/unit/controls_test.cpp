#include <gtest/gtest.h>

#include "app/check_box.h"
#include "app/control.h"
#include "app/edit.h"
#include "app/grid_control.h"
#include "app/up_down.h"
#include "core/error.h"

namespace zemvo {
namespace {

TEST(CheckBox, RunsItsClickReactionOnlyWhenTheStateChanges) {
  ControlRegistry registry;
  CheckBox box(registry, u"CheckBox1", u"GroupBox2", {.caption = u"POLYLINE"});
  int clicks = 0;
  box.setClickReaction([&] {
    ++clicks;
    EXPECT_TRUE(box.checked());  // the reaction sees the new state
  });
  box.setChecked(false);
  EXPECT_EQ(clicks, 0);
  box.setChecked(true);
  box.setChecked(true);
  EXPECT_EQ(clicks, 1);
}

TEST(Edit, RunsItsChangeReactionOnlyWhenTheTextChanges) {
  ControlRegistry registry;
  Edit edit(registry, u"Edit31", u"TabSheet1", {.text = u"1-3"});
  int changes = 0;
  edit.setChangeReaction([&] { ++changes; });
  edit.setText(u"1-3");
  edit.setText(u"");
  EXPECT_EQ(changes, 1);
}

TEST(UpDown, ShowsItsPositionAndStepsWithinItsRange) {
  ControlRegistry registry;
  Edit buddy(registry, u"Edit22", u"GroupBox1", {.text = u"0"});
  UpDown spinner(registry, u"UpDown1", u"GroupBox1", {.min = 0, .max = 2, .position = 0, .associate = &buddy});
  std::vector<UpDownButton> clicks;
  spinner.setClickReaction([&](UpDownButton button) { clicks.push_back(button); });

  spinner.setPosition(30);  // a stored value is not clamped
  EXPECT_EQ(buddy.text(), u"30");

  spinner.setPosition(1);
  spinner.click(UpDownButton::Up);
  EXPECT_EQ(spinner.position(), 2);
  spinner.click(UpDownButton::Up);  // at the limit the reaction still runs
  EXPECT_EQ(spinner.position(), 2);
  EXPECT_EQ(buddy.text(), u"2");
  spinner.click(UpDownButton::Down);
  EXPECT_EQ(spinner.position(), 1);
  EXPECT_EQ(clicks, (std::vector{UpDownButton::Up, UpDownButton::Up, UpDownButton::Down}));
}

TEST(ControlRegistry, FindsControlsByNameAndKind) {
  ControlRegistry registry;
  Edit edit(registry, u"Edit7", u"GroupBox8", {});
  EXPECT_EQ(&registry.get<Edit>(u"Edit7"), &edit);
  EXPECT_EQ(&registry.get<Control>(u"Edit7"), &edit);
  EXPECT_THROW(registry.get<CheckBox>(u"Edit7"), Error);
  EXPECT_THROW(registry.get<Edit>(u"Edit8"), Error);
  EXPECT_THROW(Edit(registry, u"Edit7", u"GroupBox8", {}), Error);
}

TEST(GridControl, ReportsMovesOfTheCurrentCellAndHeaderClicksWhenAsked) {
  ControlRegistry registry;
  GridControl grid(registry, u"StringGrid2", u"TabSheet4", {.colCount = 4, .options = {.fixedCellClicks = true}});
  GridControl plain(registry, u"StringGrid3", u"TabSheet5", {.colCount = 6});
  int moves = 0;
  std::vector<GridChange> changes;
  grid.setCurrentCellReaction([&] { ++moves; });
  grid.setGridListener([&](GridChange change) { changes.push_back(change); });

  grid.setCurrent(1, 2);
  grid.setSelection({1, 2, 3, 4});  // a wider selection, same current cell
  grid.setCell(0, 1, u"A");
  grid.setCurrent(1, 2);
  EXPECT_EQ(moves, 1);
  grid.setRowCount(2);  // the current row is cut off: the cell moves
  EXPECT_EQ(moves, 2);
  EXPECT_EQ(changes, (std::vector{GridChange::Current, GridChange::Current, GridChange::Cells, GridChange::Current,
                                  GridChange::Size}));

  std::vector<std::pair<int, int>> clicks;
  grid.setFixedCellClickReaction([&](int col, int row) { clicks.emplace_back(col, row); });
  plain.setFixedCellClickReaction([&](int col, int row) { clicks.emplace_back(col, row); });
  grid.fixedCellClick(2, 0);
  plain.fixedCellClick(1, 0);
  EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{2, 0}}));
}

}  // namespace
}  // namespace zemvo
