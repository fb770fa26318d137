#include "fakes/fake_window_system.h"

#include <cstdio>

namespace zemvo::fakes {
namespace {

Text handleText(WindowHandle window) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "0x%llX", static_cast<unsigned long long>(window));
  return fromUtf8(buffer);
}

// Class names compare without regard to case, as the system's do.
Text upper(TextView text) {
  Text out(text);
  for (char16_t& c : out) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return out;
}

}  // namespace

WindowHandle FakeWindowSystem::add(Text title, Text className) {
  const WindowHandle handle = nextHandle_;
  nextHandle_ += 0x10;
  windows.push_back(FakeWindow{handle, std::move(title), std::move(className), true});
  return handle;
}

void FakeWindowSystem::destroy(WindowHandle window) {
  for (FakeWindow& w : windows) {
    if (w.handle == window) w.exists = false;
  }
}

const FakeWindow* FakeWindowSystem::find(WindowHandle window) const {
  for (const FakeWindow& w : windows) {
    if (w.handle == window && w.exists) return &w;
  }
  return nullptr;
}

std::vector<WindowHandle> FakeWindowSystem::topLevelWindows() {
  journal.push_back(u"topLevelWindows");
  std::vector<WindowHandle> handles;
  for (const FakeWindow& w : windows) {
    if (w.exists) handles.push_back(w.handle);
  }
  return handles;
}

Text FakeWindowSystem::windowTitle(WindowHandle window) {
  journal.push_back(u"windowTitle " + handleText(window));
  const FakeWindow* w = find(window);
  return w ? w->title.substr(0, 255) : Text();
}

Text FakeWindowSystem::windowClassName(WindowHandle window) {
  journal.push_back(u"windowClassName " + handleText(window));
  const FakeWindow* w = find(window);
  return w ? w->className.substr(0, 255) : Text();
}

bool FakeWindowSystem::isWindow(WindowHandle window) {
  journal.push_back(u"isWindow " + handleText(window));
  return find(window) != nullptr;
}

void FakeWindowSystem::sendCopyData(WindowHandle window, std::uint32_t tag, const std::vector<char16_t>& data) {
  journal.push_back(u"sendCopyData " + handleText(window));
  copyData.push_back(FakeCopyData{window, tag, data});
}

void FakeWindowSystem::postNullMessage(WindowHandle window) {
  journal.push_back(u"postNullMessage " + handleText(window));
  nullMessages.push_back(window);
}

WindowHandle FakeWindowSystem::findWindowByClass(TextView className) {
  journal.push_back(u"findWindowByClass " + Text(className));
  for (const FakeWindow& w : windows) {
    if (w.exists && upper(w.className) == upper(className)) return w.handle;
  }
  return 0;
}

void FakeWindowSystem::setForegroundWindow(WindowHandle window) {
  journal.push_back(u"setForegroundWindow " + handleText(window));
  foreground = window;
}

}  // namespace zemvo::fakes
