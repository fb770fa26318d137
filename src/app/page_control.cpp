#include "app/page_control.h"

#include "core/error.h"

namespace zemvo {

void PageControl::setActivePageIndex(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size())) throw Error(name() + u": no page " + decimalText(index));
  active_ = index;
  changed();
}

void PageControl::changeTo(int index) {
  setActivePageIndex(index);
  if (change_) change_();
}

}  // namespace zemvo
