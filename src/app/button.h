#pragma once

#include <functional>

#include "app/control.h"
#include "app/input_events.h"

namespace zemvo {

// A push button or a speed button.
class Button : public Control {
 public:
  Button(ControlRegistry& registry, Text name, Text parent, Text caption);

  const Text& caption() const { return caption_; }
  void setCaption(Text caption);

  void click();
  void setClickReaction(std::function<void()> reaction) { click_ = std::move(reaction); }
  void mouseDown(MouseButton button);
  void setMouseDownReaction(std::function<void(MouseButton)> reaction) { mouseDown_ = std::move(reaction); }

 private:
  Text caption_;
  std::function<void()> click_;
  std::function<void(MouseButton)> mouseDown_;
};

}  // namespace zemvo
