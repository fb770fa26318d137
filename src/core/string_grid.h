#pragma once

#include <functional>
#include <vector>

#include "core/text.h"

namespace zemvo {

struct GridRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const GridRect&) const = default;
};

// What changed in a grid, for the view that mirrors it.
enum class GridChange {
  Cells,      // one or more cell texts
  Size,       // row or column count, fixed rows
  Current,    // the current cell or the selection
  Repaint,    // nothing changed, but what is painted depends on other state
};

// A string grid: cells as text, addressed (column, row) like the control it
// models; row 0 up to fixedRows - 1 are the fixed caption rows.
class StringGrid {
 public:
  using Listener = std::function<void(GridChange)>;

  StringGrid(int colCount, int rowCount, int fixedRows = 1);

  int colCount() const { return colCount_; }
  int rowCount() const { return static_cast<int>(rows_.size()); }
  int fixedRows() const { return fixedRows_; }
  void setColCount(int count);
  void setRowCount(int count);  // new rows are empty; removed rows are lost
  void setFixedRows(int count);

  // Reading outside the grid gives an empty text, as the control does.
  const Text& cell(int col, int row) const;
  void setCell(int col, int row, Text text);  // throws outside the grid

  const std::vector<Text>& rowCells(int row) const { return rows_.at(row); }
  void insertRow(int before);  // an empty row at `before`
  void deleteRow(int row);
  void moveColumn(int from, int to);  // a column dragged to another position
  void clearRows(int firstRow);       // empties every cell from firstRow on

  int col() const { return col_; }
  int row() const { return row_; }
  void setCurrent(int col, int row);
  const GridRect& selection() const { return selection_; }
  void setSelection(const GridRect& rect);

  // Notifies the view that the painting depends on changed outside state.
  void invalidate();

  void setListener(Listener listener) { listener_ = std::move(listener); }

  // Collects notifications while a bulk change runs; one Cells/Size
  // notification is sent when the outermost batch ends.
  class Batch {
   public:
    explicit Batch(StringGrid& grid);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    StringGrid& grid_;
  };

 private:
  void notify(GridChange change);

  int colCount_;
  int fixedRows_;
  std::vector<std::vector<Text>> rows_;
  int col_ = 0;
  int row_ = 0;
  GridRect selection_;
  Listener listener_;
  int batchDepth_ = 0;
  bool batchSized_ = false;
  bool batchCells_ = false;
};

}  // namespace zemvo
