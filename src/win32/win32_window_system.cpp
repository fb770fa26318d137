#include "win32/win32_window_system.h"

#include <windows.h>

namespace zemvo::win32 {
namespace {

HWND toHwnd(WindowHandle window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }
WindowHandle fromHwnd(HWND window) { return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(window)); }

BOOL CALLBACK collectWindow(HWND window, LPARAM collected) {
  reinterpret_cast<std::vector<WindowHandle>*>(collected)->push_back(fromHwnd(window));
  return TRUE;
}

}  // namespace

std::vector<WindowHandle> Win32WindowSystem::topLevelWindows() {
  std::vector<WindowHandle> windows;
  EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// 255 characters and the terminating zero, as the channel reads them.
Text Win32WindowSystem::windowTitle(WindowHandle window) {
  wchar_t buffer[256] = {};
  const int length = GetWindowTextW(toHwnd(window), buffer, 256);
  return Text(reinterpret_cast<const char16_t*>(buffer), length > 0 ? static_cast<std::size_t>(length) : 0);
}

Text Win32WindowSystem::windowClassName(WindowHandle window) {
  wchar_t buffer[256] = {};
  const int length = GetClassNameW(toHwnd(window), buffer, 256);
  return Text(reinterpret_cast<const char16_t*>(buffer), length > 0 ? static_cast<std::size_t>(length) : 0);
}

bool Win32WindowSystem::isWindow(WindowHandle window) { return window != 0 && IsWindow(toHwnd(window)); }

// No sender window (wParam 0); returns when the target has processed it.
void Win32WindowSystem::sendCopyData(WindowHandle window, std::uint32_t tag, const std::vector<char16_t>& data) {
  COPYDATASTRUCT record{};
  record.dwData = tag;
  record.cbData = static_cast<DWORD>(data.size() * sizeof(char16_t));
  record.lpData = const_cast<char16_t*>(data.data());
  SendMessageW(toHwnd(window), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record));
}

void Win32WindowSystem::postNullMessage(WindowHandle window) { PostMessageW(toHwnd(window), WM_NULL, 0, 0); }

WindowHandle Win32WindowSystem::findWindowByClass(TextView className) {
  const std::wstring name(className.begin(), className.end());
  return fromHwnd(FindWindowW(name.c_str(), nullptr));
}

void Win32WindowSystem::setForegroundWindow(WindowHandle window) { SetForegroundWindow(toHwnd(window)); }

}  // namespace zemvo::win32
