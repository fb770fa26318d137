#include "app/check_box.h"

namespace zemvo {

CheckBox::CheckBox(ControlRegistry& registry, Text name, Text parent, Built built)
    : Control(registry, std::move(name), std::move(parent)),
      caption_(std::move(built.caption)),
      checked_(built.checked) {}

void CheckBox::setCaption(Text caption) {
  caption_ = std::move(caption);
  changed();
}

void CheckBox::setChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  changed();
  if (click_) click_();
}

void CheckBox::mouseDown(MouseButton button) {
  if (mouseDown_) mouseDown_(button);
}

}  // namespace zemvo
