#pragma once

#include <functional>

#include "app/control.h"
#include "app/edit.h"

namespace zemvo {

enum class UpDownButton { Up, Down };  // Up: the upper or, when horizontal, the right arrow

// A spinner. Its associated field shows the position as decimal text.
class UpDown : public Control {
 public:
  struct Built {
    int min = 0;
    int max = 100;
    int position = 0;
    Edit* associate = nullptr;
    bool horizontal = false;
  };

  UpDown(ControlRegistry& registry, Text name, Text parent, Built built);

  int min() const { return min_; }
  int max() const { return max_; }
  int position() const { return position_; }
  // Taken as given, also outside min..max: a stored value is used unchecked.
  void setPosition(int position);
  Edit* associate() const { return associate_; }
  bool horizontal() const { return horizontal_; }

  // An arrow click: one step within min..max, then the click reaction, which
  // runs also when the position stands at its limit.
  void click(UpDownButton button);
  void setClickReaction(std::function<void(UpDownButton)> reaction) { click_ = std::move(reaction); }

 private:
  int min_;
  int max_;
  int position_;
  Edit* associate_;
  bool horizontal_;
  std::function<void(UpDownButton)> click_;
};

}  // namespace zemvo
