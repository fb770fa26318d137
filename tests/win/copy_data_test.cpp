// The message channel on a real desktop: the stand-in owns a window titled
// and classed like an AutoCAD main window, this test owns two that look
// almost like one; the copy-data record reaches the right one, exactly.
#include <windows.h>
#include <gtest/gtest.h>

#include "cad/acad_ctrl2016.h"
#include "support/win_test_support.h"
#include "win32/com_apartment.h"
#include "win32/com_cad_link.h"
#include "win32/win32_window_system.h"

namespace zemvo {
namespace {

using wintest::CadStandin;

int decoyCopyData = 0;

LRESULT CALLBACK decoyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    ++decoyCopyData;
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A top-level window of this process.
class Decoy {
 public:
  Decoy(const wchar_t* title, const wchar_t* className) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = decoyProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
  }
  ~Decoy() { DestroyWindow(window_); }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

class CopyData : public ::testing::Test {
 protected:
  win32::ComApartment apartment;
  win32::Win32WindowSystem windows;
};

TEST_F(CopyData, ReachesTheCadWindowWithTheExactRecord) {
  CadStandin standin({.window = true, .windowTitle = u"AutoCAD Drawing1.dwg", .windowClass = u"Afx:0:8:0:0"});
  // Made after the stand-in's window, so the enumeration meets them first.
  Decoy noEight(L"AutoCAD Drawing2.dwg", L"Afx:0:0:8");
  Decoy lowerCase(L"autocad Drawing1", L"Afx:0:8:0:1");
  decoyCopyData = 0;

  HWND cadWindow = FindWindowW(L"Afx:0:8:0:0", L"AutoCAD Drawing1.dwg");
  ASSERT_NE(cadWindow, nullptr);
  {
    win32::ComCadLink cad;
    EXPECT_EQ(cad.applicationWindow(*cad.attachApplication()), reinterpret_cast<std::intptr_t>(cadWindow));
  }
  const std::vector<WindowHandle> all = windows.topLevelWindows();
  const auto position = [&](HWND window) {
    return std::find(all.begin(), all.end(), reinterpret_cast<WindowHandle>(window)) - all.begin();
  };
  ASSERT_LT(position(noEight.get()), position(cadWindow));
  ASSERT_LT(position(lowerCase.get()), position(cadWindow));
  EXPECT_EQ(windows.windowTitle(reinterpret_cast<WindowHandle>(cadWindow)), u"AutoCAD Drawing1.dwg");
  EXPECT_EQ(windows.windowClassName(reinterpret_cast<WindowHandle>(cadWindow)), u"Afx:0:8:0:0");

  AcadCtrl2016 channel(windows);
  EXPECT_EQ(channel.FindCadWindow(), reinterpret_cast<WindowHandle>(cadWindow));
  standin.clearJournal();
  ASSERT_TRUE(channel.SendCadText(u"\x03"));
  // The null message is posted: wait until the stand-in has taken it.
  ASSERT_TRUE(wintest::waitFor([&] { return standin.journal().find(u"WM_NULL") != Text::npos; }, 5000))
      << toUtf8(standin.journal());
  EXPECT_EQ(standin.journal(),
            u"window: WM_COPYDATA from no window tag=1 bytes=4 data=\"\\x03\\x00\"\n"
            u"window: WM_NULL\n");
  EXPECT_EQ(decoyCopyData, 0);

  // The longest text the channel takes, whole; a longer one is refused.
  standin.clearJournal();
  ASSERT_TRUE(channel.SendCadText(Text(511, u'測')));
  ASSERT_TRUE(wintest::waitFor([&] { return standin.journal().find(u"WM_NULL") != Text::npos; }, 5000));
  EXPECT_EQ(standin.journal().find(u"window: WM_COPYDATA from no window tag=1 bytes=1024 data=\"測測"), 0u)
      << toUtf8(standin.journal());
  standin.clearJournal();
  EXPECT_FALSE(channel.SendCadText(Text(512, u'x')));
  EXPECT_EQ(standin.journal(), u"");

  // Once the CAD window is gone, nothing matches: false, and nothing sent.
  standin.stop();
  EXPECT_FALSE(channel.SendCadText(u"\x03"));
  EXPECT_EQ(decoyCopyData, 0);
}

TEST_F(CopyData, ACadWindowOfAnotherTitleGetsNothing) {
  CadStandin standin({.window = true, .windowTitle = u"BricsCAD - [Drawing1.dwg]", .windowClass = u"Afx:0:8:0:0"});
  AcadCtrl2016 channel(windows);
  EXPECT_EQ(channel.FindCadWindow(), 0u);
  EXPECT_FALSE(channel.SendCadText(u"\x03"));
  EXPECT_EQ(standin.journal(), u"");
}

}  // namespace
}  // namespace zemvo
