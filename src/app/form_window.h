#pragma once

#include "app/control.h"

namespace zemvo {

// The main window itself: caption and position on the screen. The view
// reports where the user moves it, so the position saved at exit is current.
class FormWindow : public Control {
 public:
  FormWindow(ControlRegistry& registry, Text name, Text caption, int width, int height)
      : Control(registry, std::move(name), u""), caption_(std::move(caption)), width_(width), height_(height) {}

  const Text& caption() const { return caption_; }
  void setCaption(Text caption) {
    caption_ = std::move(caption);
    changed();
  }

  int left() const { return left_; }
  int top() const { return top_; }
  void setLeft(int left) {
    left_ = left;
    changed();
  }
  void setTop(int top) {
    top_ = top;
    changed();
  }
  // Outer size, frame included.
  int width() const { return width_; }
  int height() const { return height_; }
  void setSize(int width, int height) {
    width_ = width;
    height_ = height;
    changed();
  }

 private:
  Text caption_;
  int left_ = 0;
  int top_ = 0;
  int width_;
  int height_;
};

}  // namespace zemvo
