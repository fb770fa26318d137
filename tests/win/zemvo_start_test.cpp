// Zemvo.exe under Wine on the session's display: it opens its main window
// and ends when the window is closed.
#include <windows.h>
#include <gtest/gtest.h>

#include "support/win_test_support.h"

namespace zemvo {
namespace {

struct Found {
  DWORD processId;
  HWND window;
};

BOOL CALLBACK findMainWindow(HWND window, LPARAM parameter) {
  auto* found = reinterpret_cast<Found*>(parameter);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  wchar_t title[256] = {};
  GetWindowTextW(window, title, 256);
  if (processId == found->processId && IsWindowVisible(window) && title[0] != 0) {
    found->window = window;
    return FALSE;
  }
  return TRUE;
}

TEST(ZemvoExe, OpensItsWindowAndEndsWhenItIsClosed) {
  std::wstring commandLine = L"\"";
  for (char16_t c : wintest::windowsPath(ZEMVO_EXE)) commandLine += static_cast<wchar_t>(c);
  commandLine += L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(
      CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  CloseHandle(process.hThread);

  Found found{process.dwProcessId, nullptr};
  const bool shown = wintest::waitFor(
      [&] {
        EnumWindows(findMainWindow, reinterpret_cast<LPARAM>(&found));
        return found.window != nullptr;
      },
      30000);
  if (shown) {
    wchar_t title[256] = {};
    GetWindowTextW(found.window, title, 256);
    EXPECT_STREQ(title, L"Zemvo for BricsCAD Ver. 2023.02.10");
    PostMessageW(found.window, WM_CLOSE, 0, 0);
  }
  const DWORD ended = WaitForSingleObject(process.hProcess, 30000);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  if (ended != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 9);
  CloseHandle(process.hProcess);
  ASSERT_TRUE(shown) << "no window of Zemvo.exe appeared";
  EXPECT_EQ(ended, WAIT_OBJECT_0) << "Zemvo.exe did not end after WM_CLOSE";
  EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace zemvo
