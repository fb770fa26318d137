#include "core/string_grid.h"

#include <algorithm>
#include <stdexcept>

namespace zemvo {
namespace {
const Text kEmpty;
}

StringGrid::StringGrid(int colCount, int rowCount, int fixedRows)
    : colCount_(std::max(colCount, 1)),
      fixedRows_(std::max(fixedRows, 0)),
      rows_(static_cast<std::size_t>(std::max(rowCount, 1)), std::vector<Text>(colCount_)) {}

void StringGrid::setColCount(int count) {
  colCount_ = std::max(count, 1);
  for (auto& row : rows_) row.resize(static_cast<std::size_t>(colCount_));
  col_ = std::min(col_, colCount_ - 1);
  selection_.right = std::min(selection_.right, colCount_ - 1);
  selection_.left = std::min(selection_.left, selection_.right);
  notify(GridChange::Size);
}

void StringGrid::setRowCount(int count) {
  rows_.resize(static_cast<std::size_t>(std::max(count, 1)), std::vector<Text>(colCount_));
  row_ = std::min(row_, rowCount() - 1);
  selection_.bottom = std::min(selection_.bottom, rowCount() - 1);
  selection_.top = std::min(selection_.top, selection_.bottom);
  notify(GridChange::Size);
}

void StringGrid::setFixedRows(int count) {
  fixedRows_ = std::clamp(count, 0, rowCount() - 1);
  notify(GridChange::Size);
}

const Text& StringGrid::cell(int col, int row) const {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount()) return kEmpty;
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void StringGrid::setCell(int col, int row, Text text) {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount()) {
    throw std::out_of_range("grid cell outside the grid");
  }
  rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = std::move(text);
  notify(GridChange::Cells);
}

void StringGrid::insertRow(int before) {
  before = std::clamp(before, 0, rowCount());
  rows_.insert(rows_.begin() + before, std::vector<Text>(colCount_));
  notify(GridChange::Size);
}

void StringGrid::deleteRow(int row) {
  if (row < 0 || row >= rowCount() || rowCount() <= 1) return;
  rows_.erase(rows_.begin() + row);
  row_ = std::min(row_, rowCount() - 1);
  selection_.bottom = std::min(selection_.bottom, rowCount() - 1);
  selection_.top = std::min(selection_.top, selection_.bottom);
  notify(GridChange::Size);
}

void StringGrid::moveColumn(int from, int to) {
  if (from < 0 || to < 0 || from >= colCount_ || to >= colCount_ || from == to) return;
  for (auto& row : rows_) {
    Text moved = std::move(row[static_cast<std::size_t>(from)]);
    row.erase(row.begin() + from);
    row.insert(row.begin() + to, std::move(moved));
  }
  notify(GridChange::Cells);
}

void StringGrid::clearRows(int firstRow) {
  for (int r = std::max(firstRow, 0); r < rowCount(); ++r) {
    for (auto& text : rows_[static_cast<std::size_t>(r)]) text.clear();
  }
  notify(GridChange::Cells);
}

void StringGrid::setCurrent(int col, int row) {
  col_ = std::clamp(col, 0, colCount_ - 1);
  row_ = std::clamp(row, 0, rowCount() - 1);
  selection_ = {col_, row_, col_, row_};
  notify(GridChange::Current);
}

void StringGrid::setSelection(const GridRect& rect) {
  selection_ = {std::clamp(std::min(rect.left, rect.right), 0, colCount_ - 1),
                std::clamp(std::min(rect.top, rect.bottom), 0, rowCount() - 1),
                std::clamp(std::max(rect.left, rect.right), 0, colCount_ - 1),
                std::clamp(std::max(rect.top, rect.bottom), 0, rowCount() - 1)};
  notify(GridChange::Current);
}

void StringGrid::invalidate() { notify(GridChange::Repaint); }

void StringGrid::notify(GridChange change) {
  if (batchDepth_ > 0) {
    if (change == GridChange::Size) batchSized_ = true;
    if (change == GridChange::Cells) batchCells_ = true;
    return;
  }
  if (listener_) listener_(change);
}

StringGrid::Batch::Batch(StringGrid& grid) : grid_(grid) { ++grid_.batchDepth_; }

StringGrid::Batch::~Batch() {
  if (--grid_.batchDepth_ > 0) return;
  const bool sized = grid_.batchSized_;
  const bool cells = grid_.batchCells_;
  grid_.batchSized_ = grid_.batchCells_ = false;
  if (sized) {
    grid_.notify(GridChange::Size);
  } else if (cells) {
    grid_.notify(GridChange::Cells);
  }
}

}  // namespace zemvo
