#pragma once

#include <functional>
#include <vector>

#include "app/control.h"

namespace zemvo {

class MenuItem;

class PopupMenu : public Control {
 public:
  using Control::Control;

  const std::vector<MenuItem*>& items() const { return items_; }
  void addItem(MenuItem& item) { items_.push_back(&item); }

 private:
  std::vector<MenuItem*> items_;
};

// A command of a popup menu, or a separator line when its caption is "-".
class MenuItem : public Control {
 public:
  MenuItem(ControlRegistry& registry, PopupMenu& menu, Text name, Text caption)
      : Control(registry, std::move(name), menu.name()), caption_(std::move(caption)) {
    menu.addItem(*this);
  }

  const Text& caption() const { return caption_; }
  bool isSeparator() const { return caption_ == u"-"; }

  void click() {
    if (click_) click_();
  }
  void setClickReaction(std::function<void()> reaction) { click_ = std::move(reaction); }

 private:
  Text caption_;
  std::function<void()> click_;
};

}  // namespace zemvo
