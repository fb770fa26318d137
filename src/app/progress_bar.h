#pragma once

#include "app/control.h"

namespace zemvo {

class ProgressBar : public Control {
 public:
  using Control::Control;

  int min() const { return min_; }
  int max() const { return max_; }
  int position() const { return position_; }
  void setRange(int min, int max) {
    min_ = min;
    max_ = max;
    changed();
  }
  void setPosition(int position) {
    position_ = position;
    changed();
  }

 private:
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
};

}  // namespace zemvo
