#pragma once

#include "app/control.h"

namespace zemvo {

// A control that shows a caption and does nothing else: a label or a group
// box. The two kinds are told apart by type.
template <typename Kind>
class Captioned : public Control {
 public:
  Captioned(ControlRegistry& registry, Text name, Text parent, Text caption)
      : Control(registry, std::move(name), std::move(parent)), caption_(std::move(caption)) {}

  const Text& caption() const { return caption_; }
  void setCaption(Text caption) {
    caption_ = std::move(caption);
    changed();
  }

 private:
  Text caption_;
};

struct LabelKind {};
struct GroupBoxKind {};
using Label = Captioned<LabelKind>;
using GroupBox = Captioned<GroupBoxKind>;

}  // namespace zemvo
