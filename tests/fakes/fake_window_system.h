#pragma once

#include <vector>

#include "cad/window_system.h"

namespace zemvo::fakes {

struct FakeWindow {
  WindowHandle handle = 0;
  Text title;
  Text className;
  bool exists = true;
};

struct FakeCopyData {
  WindowHandle window = 0;
  std::uint32_t tag = 0;
  std::vector<char16_t> data;
};

// A desktop of top-level windows in memory. Records what is sent and posted
// to them, and every call in order.
class FakeWindowSystem : public WindowSystem {
 public:
  std::vector<FakeWindow> windows;  // in enumeration order
  std::vector<FakeCopyData> copyData;
  std::vector<WindowHandle> nullMessages;
  WindowHandle foreground = 0;
  std::vector<Text> journal;

  // A new window at the end of the enumeration order.
  WindowHandle add(Text title, Text className);
  // The window is destroyed: no longer enumerated, no longer a window.
  void destroy(WindowHandle window);

  std::vector<WindowHandle> topLevelWindows() override;
  Text windowTitle(WindowHandle window) override;
  Text windowClassName(WindowHandle window) override;
  bool isWindow(WindowHandle window) override;
  void sendCopyData(WindowHandle window, std::uint32_t tag, const std::vector<char16_t>& data) override;
  void postNullMessage(WindowHandle window) override;
  WindowHandle findWindowByClass(TextView className) override;
  void setForegroundWindow(WindowHandle window) override;

 private:
  const FakeWindow* find(WindowHandle window) const;
  WindowHandle nextHandle_ = 0x10010;
};

}  // namespace zemvo::fakes
