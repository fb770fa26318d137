#pragma once

#include <cstdint>
#include <vector>

#include "core/text.h"

namespace zemvo {

// A window handle as a number; 0 is no window.
using WindowHandle = std::uint64_t;

// The window functions of the desktop that the program uses.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // Top-level windows in the platform's enumeration order.
  virtual std::vector<WindowHandle> topLevelWindows() = 0;
  // At most 255 characters each; empty when the window has none.
  virtual Text windowTitle(WindowHandle window) = 0;
  virtual Text windowClassName(WindowHandle window) = 0;
  virtual bool isWindow(WindowHandle window) = 0;
  // Sends WM_COPYDATA with no sender window and waits until it is processed.
  virtual void sendCopyData(WindowHandle window, std::uint32_t tag, const std::vector<char16_t>& data) = 0;
  // Posts WM_NULL without parameters.
  virtual void postNullMessage(WindowHandle window) = 0;
  virtual WindowHandle findWindowByClass(TextView className) = 0;
  virtual void setForegroundWindow(WindowHandle window) = 0;
};

}  // namespace zemvo
