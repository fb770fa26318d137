#include "app/up_down.h"

#include <algorithm>

namespace zemvo {

UpDown::UpDown(ControlRegistry& registry, Text name, Text parent, Built built)
    : Control(registry, std::move(name), std::move(parent)),
      min_(built.min),
      max_(built.max),
      position_(built.position),
      associate_(built.associate),
      horizontal_(built.horizontal) {}

void UpDown::setPosition(int position) {
  position_ = position;
  if (associate_) associate_->setText(decimalText(position));
  changed();
}

void UpDown::click(UpDownButton button) {
  const int step = button == UpDownButton::Up ? 1 : -1;
  const int next = std::clamp(position_ + step, min_, max_);
  if (next != position_) setPosition(next);
  if (click_) click_(button);
}

}  // namespace zemvo
