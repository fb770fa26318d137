#pragma once

#include "cad/window_system.h"
#include "core/text.h"

namespace zemvo {

// The command-window message channel of the unit AcadCtrl2016: finds the
// main frame window of an AutoCAD-family application among the desktop's
// top-level windows and hands it a text in a copy-data message. The form
// owns one; the window it found last is remembered for its life.
class AcadCtrl2016 {
 public:
  // The text buffer of the channel holds 512 UTF-16 characters, the
  // terminating zero included.
  static constexpr std::size_t kMaxText = 511;
  // The copy-data record's tag.
  static constexpr std::uint32_t kCopyDataTag = 1;

  explicit AcadCtrl2016(WindowSystem& windows) : windows_(windows) {}

  // Searches the top-level windows in the platform's order and remembers the
  // first that passes the window test; a search that finds none keeps the
  // window remembered before. Returns the remembered window (0: none).
  WindowHandle FindCadWindow();

  // FindCadWindow, then, when the remembered window still exists, sends it
  // `text` (tag 1, UTF-16 with a terminating zero, (length + 1) * 2 bytes)
  // and waits until it is processed, then posts it a null message. False
  // when no window exists to send to, and for a text longer than kMaxText,
  // which is refused rather than cut.
  bool SendCadText(TextView text);

  WindowHandle rememberedWindow() const { return remembered_; }

  // The window test: a title beginning with "DWG TrueView ", "AutoCAD " or
  // "Autodesk " (case-sensitive, blank included) and a class name that
  // begins with "Afx:" and holds ":8:", or begins with "AfxMDIFrame".
  static bool isCadWindow(TextView title, TextView className);

 private:
  WindowSystem& windows_;
  WindowHandle remembered_ = 0;
};

}  // namespace zemvo
