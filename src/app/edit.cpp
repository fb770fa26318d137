#include "app/edit.h"

namespace zemvo {

Edit::Edit(ControlRegistry& registry, Text name, Text parent, Built built)
    : Control(registry, std::move(name), std::move(parent)),
      text_(std::move(built.text)),
      alignment_(built.alignment),
      readOnly_(built.readOnly) {}

void Edit::setText(Text text) {
  if (text_ == text) return;
  text_ = std::move(text);
  changed();
  if (change_) change_();
}

}  // namespace zemvo
