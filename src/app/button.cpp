#include "app/button.h"

namespace zemvo {

Button::Button(ControlRegistry& registry, Text name, Text parent, Text caption)
    : Control(registry, std::move(name), std::move(parent)), caption_(std::move(caption)) {}

void Button::setCaption(Text caption) {
  caption_ = std::move(caption);
  changed();
}

void Button::click() {
  if (click_) click_();
}

void Button::mouseDown(MouseButton button) {
  if (mouseDown_) mouseDown_(button);
}

}  // namespace zemvo
