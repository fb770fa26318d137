#pragma once

#include <functional>

#include "app/control.h"
#include "app/input_events.h"

namespace zemvo {

class CheckBox : public Control {
 public:
  struct Built {
    Text caption{};
    bool checked = false;
  };

  CheckBox(ControlRegistry& registry, Text name, Text parent, Built built);

  const Text& caption() const { return caption_; }
  void setCaption(Text caption);

  bool checked() const { return checked_; }
  // A change of state runs the click reaction, from code exactly as from a
  // user's click; setting the state it already has runs nothing.
  void setChecked(bool checked);
  void setClickReaction(std::function<void()> reaction) { click_ = std::move(reaction); }

  void mouseDown(MouseButton button);
  void setMouseDownReaction(std::function<void(MouseButton)> reaction) { mouseDown_ = std::move(reaction); }

 private:
  Text caption_;
  bool checked_;
  std::function<void()> click_;
  std::function<void(MouseButton)> mouseDown_;
};

}  // namespace zemvo
