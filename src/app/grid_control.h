#pragma once

#include <functional>

#include "app/control.h"
#include "app/input_events.h"
#include "core/string_grid.h"

namespace zemvo {

enum class ScrollBars { Vertical, Both };

struct GridOptions {
  bool editable = false;        // cells edited in place
  bool columnsMovable = false;  // a column dragged to another position
  bool columnsResizable = false;
  bool fixedCellClicks = false;  // clicks on the header row reported
  bool thumbTracking = false;    // scrolls while the thumb is dragged
  ScrollBars scrollBars = ScrollBars::Both;
};

// A string grid on the form: the cell model plus what the view needs to
// draw it and the reactions to the user's keys and clicks.
class GridControl : public Control, public StringGrid {
 public:
  struct Built {
    int colCount = 5;
    int rowCount = 5;
    int defaultColWidth = 64;
    int defaultRowHeight = 19;
    GridOptions options{};
  };

  GridControl(ControlRegistry& registry, Text name, Text parent, Built built);

  int defaultColWidth() const { return defaultColWidth_; }
  int defaultRowHeight() const { return defaultRowHeight_; }
  const GridOptions& options() const { return options_; }

  // The grid control takes its model's notifications and passes them on,
  // so the view listens here.
  void setListener(Listener) = delete;
  void setGridListener(Listener listener) { gridListener_ = std::move(listener); }

  // True while the in-place editor of a cell is open.
  bool editing() const { return editing_; }
  void setEditing(bool editing);

  // Runs whenever the current cell moves, by the user or by code.
  void setCurrentCellReaction(std::function<void()> reaction) { currentCell_ = std::move(reaction); }
  void keyDown(KeyCode& key, ShiftState shift);
  void setKeyDownReaction(std::function<void(KeyCode&, ShiftState)> reaction) { keyDown_ = std::move(reaction); }
  // A click on a header cell; reported only when the options ask for it.
  void fixedCellClick(int col, int row);
  void setFixedCellClickReaction(std::function<void(int, int)> reaction) { fixedCellClick_ = std::move(reaction); }

 private:
  void gridChanged(GridChange change);

  int defaultColWidth_;
  int defaultRowHeight_;
  GridOptions options_;
  bool editing_ = false;
  int lastCol_ = 0;
  int lastRow_ = 0;
  Listener gridListener_;
  std::function<void()> currentCell_;
  std::function<void(KeyCode&, ShiftState)> keyDown_;
  std::function<void(int, int)> fixedCellClick_;
};

}  // namespace zemvo
