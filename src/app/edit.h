#pragma once

#include <functional>

#include "app/control.h"

namespace zemvo {

enum class Alignment { Left, Centre, Right };

// A one-line text field.
class Edit : public Control {
 public:
  struct Built {
    Text text{};
    Alignment alignment = Alignment::Left;
    bool readOnly = false;
  };

  Edit(ControlRegistry& registry, Text name, Text parent, Built built);

  const Text& text() const { return text_; }
  // A change of text runs the change reaction, from code as from typing.
  void setText(Text text);
  void setChangeReaction(std::function<void()> reaction) { change_ = std::move(reaction); }

  Alignment alignment() const { return alignment_; }
  bool readOnly() const { return readOnly_; }

 private:
  Text text_;
  Alignment alignment_;
  bool readOnly_;
  std::function<void()> change_;
};

}  // namespace zemvo
