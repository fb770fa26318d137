#pragma once

#include "cad/window_system.h"

namespace zemvo::win32 {

// The desktop's window functions: EnumWindows, GetWindowTextW,
// GetClassNameW, IsWindow, SendMessageW with WM_COPYDATA, PostMessageW with
// WM_NULL, FindWindowW and SetForegroundWindow.
class Win32WindowSystem final : public WindowSystem {
 public:
  std::vector<WindowHandle> topLevelWindows() override;
  Text windowTitle(WindowHandle window) override;
  Text windowClassName(WindowHandle window) override;
  bool isWindow(WindowHandle window) override;
  void sendCopyData(WindowHandle window, std::uint32_t tag, const std::vector<char16_t>& data) override;
  void postNullMessage(WindowHandle window) override;
  WindowHandle findWindowByClass(TextView className) override;
  void setForegroundWindow(WindowHandle window) override;
};

}  // namespace zemvo::win32
