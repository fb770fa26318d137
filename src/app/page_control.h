#pragma once

#include <functional>
#include <vector>

#include "app/control.h"

namespace zemvo {

class TabSheet;

// The tab control: its pages in order and the one shown.
class PageControl : public Control {
 public:
  using Control::Control;

  const std::vector<TabSheet*>& pages() const { return pages_; }
  void addPage(TabSheet& page) { pages_.push_back(&page); }

  int activePageIndex() const { return active_; }
  // From code: shows the page, and no change reaction runs.
  void setActivePageIndex(int index);
  // As the user does: shows the page, then runs the change reaction.
  void changeTo(int index);
  void setChangeReaction(std::function<void()> reaction) { change_ = std::move(reaction); }

 private:
  std::vector<TabSheet*> pages_;
  int active_ = 0;
  std::function<void()> change_;
};

class TabSheet : public Control {
 public:
  TabSheet(ControlRegistry& registry, PageControl& pages, Text name, Text caption)
      : Control(registry, std::move(name), pages.name()), caption_(std::move(caption)) {
    pages.addPage(*this);
  }

  const Text& caption() const { return caption_; }

 private:
  Text caption_;
};

}  // namespace zemvo
