#include "app/grid_control.h"

namespace zemvo {

GridControl::GridControl(ControlRegistry& registry, Text name, Text parent, Built built)
    : Control(registry, std::move(name), std::move(parent)),
      StringGrid(built.colCount, built.rowCount, 1),
      defaultColWidth_(built.defaultColWidth),
      defaultRowHeight_(built.defaultRowHeight),
      options_(built.options) {
  // As the control starts: on the first cell below the header.
  setCurrent(0, fixedRows());
  lastCol_ = col();
  lastRow_ = row();
  StringGrid::setListener([this](GridChange change) { gridChanged(change); });
}

void GridControl::setEditing(bool editing) {
  editing_ = editing;
  Control::changed();
}

void GridControl::keyDown(KeyCode& key, ShiftState shift) {
  if (keyDown_) keyDown_(key, shift);
}

void GridControl::fixedCellClick(int col, int row) {
  if (options_.fixedCellClicks && fixedCellClick_) fixedCellClick_(col, row);
}

void GridControl::gridChanged(GridChange change) {
  if (gridListener_) gridListener_(change);
  if (col() == lastCol_ && row() == lastRow_) return;
  lastCol_ = col();
  lastRow_ = row();
  if (currentCell_) currentCell_();
}

}  // namespace zemvo
