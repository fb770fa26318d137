#pragma once

#include "app/control.h"

namespace zemvo {

// A status bar that shows one text.
class StatusBar : public Control {
 public:
  using Control::Control;

  const Text& text() const { return text_; }
  void setText(Text text) {
    text_ = std::move(text);
    changed();
  }

 private:
  Text text_;
};

}  // namespace zemvo
