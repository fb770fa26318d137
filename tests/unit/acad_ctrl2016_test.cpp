#include "cad/acad_ctrl2016.h"

#include <gtest/gtest.h>

#include <ostream>

#include "fakes/fake_window_system.h"

namespace zemvo {
namespace {

using fakes::FakeWindowSystem;

struct WindowCase {
  const char16_t* title;
  const char16_t* className;
  bool passes;
};

void PrintTo(const WindowCase& c, std::ostream* out) {
  *out << '"' << toUtf8(c.title) << "\" \"" << toUtf8(c.className) << '"' << (c.passes ? " passes" : " fails");
}

class WindowTest : public ::testing::TestWithParam<WindowCase> {};

TEST_P(WindowTest, TitleAndClassDecide) {
  const WindowCase& c = GetParam();
  EXPECT_EQ(AcadCtrl2016::isCadWindow(c.title, c.className), c.passes)
      << toUtf8(c.title) << " / " << toUtf8(c.className);

  // The same through a search of the desktop.
  FakeWindowSystem windows;
  const WindowHandle window = windows.add(c.title, c.className);
  AcadCtrl2016 channel(windows);
  EXPECT_EQ(channel.FindCadWindow(), c.passes ? window : 0);
}

INSTANTIATE_TEST_SUITE_P(AcadCtrl2016, WindowTest,
                         ::testing::Values(WindowCase{u"AutoCAD Drawing1.dwg", u"Afx:0:8:0:0", true},
                                           WindowCase{u"AutoCAD Drawing1.dwg", u"Afx:0:0:8", false},  // no ":8:"
                                           WindowCase{u"AutoCAD Drawing1.dwg", u"AfxMDIFrame140u", true},
                                           WindowCase{u"AutoCAD Drawing1.dwg", u"Afx:400000:8:10003:0:5c0d2b", true},
                                           WindowCase{u"AutoCAD Drawing1.dwg", u"afx:0:8:0:0", false},      // case
                                           WindowCase{u"AutoCAD Drawing1.dwg", u"afxmdiframe140u", false},  // case
                                           WindowCase{u"AutoCAD Drawing1.dwg", u"Bfx:0:8:0:0", false},
                                           WindowCase{u"AutoCAD Drawing1.dwg", u"", false},
                                           WindowCase{u"AutoCAD", u"Afx:0:8:0:0", false},           // no blank
                                           WindowCase{u"autocad Drawing1", u"Afx:0:8:0:0", false},  // case
                                           WindowCase{u"AUTOCAD Drawing1", u"Afx:0:8:0:0", false},
                                           WindowCase{u" AutoCAD Drawing1", u"Afx:0:8:0:0", false},
                                           WindowCase{u"Autodesk DWG TrueView 2024", u"Afx:0:8:0:0", true},
                                           WindowCase{u"Autodesk", u"Afx:0:8:0:0", false},
                                           WindowCase{u"DWG TrueView 2016 - [a.dwg]", u"AfxMDIFrame140u", true},
                                           WindowCase{u"DWG TrueView", u"AfxMDIFrame140u", false},
                                           WindowCase{u"BricsCAD - [Drawing1.dwg]", u"Afx:0:8:0:0", false},
                                           WindowCase{u"", u"Afx:0:8:0:0", false}));  // no title

TEST(AcadCtrl2016, FirstPassingWindowInEnumerationOrderWins) {
  FakeWindowSystem windows;
  windows.add(u"Notepad", u"Notepad");
  windows.add(u"autocad Drawing1", u"Afx:0:8:0:0");
  windows.add(u"AutoCAD Drawing2.dwg", u"Afx:0:0:8");
  const WindowHandle first = windows.add(u"AutoCAD Drawing1.dwg", u"Afx:0:8:0:0");
  windows.add(u"AutoCAD Drawing3.dwg", u"AfxMDIFrame140u");
  AcadCtrl2016 channel(windows);
  EXPECT_EQ(channel.FindCadWindow(), first);
  EXPECT_EQ(channel.rememberedWindow(), first);
}

TEST(AcadCtrl2016, ClassIsReadOnlyForAPassingTitle) {
  FakeWindowSystem windows;
  windows.add(u"Notepad", u"Notepad");
  AcadCtrl2016 channel(windows);
  channel.FindCadWindow();
  for (const Text& call : windows.journal) EXPECT_FALSE(call.starts_with(u"windowClassName")) << toUtf8(call);
}

TEST(AcadCtrl2016, NoWindowMeansNothingSentAndFalse) {
  FakeWindowSystem windows;
  windows.add(u"Notepad", u"Notepad");
  AcadCtrl2016 channel(windows);
  EXPECT_EQ(channel.FindCadWindow(), 0u);
  EXPECT_FALSE(channel.SendCadText(u"\x03"));
  EXPECT_TRUE(windows.copyData.empty());
  EXPECT_TRUE(windows.nullMessages.empty());
}

TEST(AcadCtrl2016, SendsTheCopyDataRecordThenPostsTheNullMessage) {
  FakeWindowSystem windows;
  const WindowHandle cad = windows.add(u"AutoCAD Drawing1.dwg", u"Afx:0:8:0:0");
  AcadCtrl2016 channel(windows);
  ASSERT_TRUE(channel.SendCadText(u"\x03"));
  ASSERT_EQ(windows.copyData.size(), 1u);
  EXPECT_EQ(windows.copyData[0].window, cad);
  EXPECT_EQ(windows.copyData[0].tag, 1u);
  // UTF-16 with its terminating zero: (1 + 1) * 2 bytes.
  EXPECT_EQ(windows.copyData[0].data, (std::vector<char16_t>{u'\x03', u'\0'}));
  EXPECT_EQ(windows.copyData[0].data.size() * sizeof(char16_t), 4u);
  EXPECT_EQ(windows.nullMessages, std::vector<WindowHandle>{cad});
  // The null message follows the copy-data message, which was already
  // processed when it returned.
  ASSERT_GE(windows.journal.size(), 2u);
  EXPECT_EQ(windows.journal[windows.journal.size() - 2].substr(0, 12), u"sendCopyData");
  EXPECT_EQ(windows.journal.back().substr(0, 15), u"postNullMessage");
}

TEST(AcadCtrl2016, JapaneseTextGoesAsUtf16) {
  FakeWindowSystem windows;
  windows.add(u"AutoCAD 図面1.dwg", u"AfxMDIFrame140u");
  AcadCtrl2016 channel(windows);
  ASSERT_TRUE(channel.SendCadText(u"測点"));
  EXPECT_EQ(windows.copyData.at(0).data, (std::vector<char16_t>{u'測', u'点', u'\0'}));
}

TEST(AcadCtrl2016, RememberedWindowIsKeptWhileItExists) {
  FakeWindowSystem windows;
  const WindowHandle cad = windows.add(u"AutoCAD Drawing1.dwg", u"Afx:0:8:0:0");
  AcadCtrl2016 channel(windows);
  ASSERT_EQ(channel.FindCadWindow(), cad);

  // Its title changes so that a search no longer finds it: it is kept.
  windows.windows[0].title = u"Plot - Drawing1";
  EXPECT_EQ(channel.FindCadWindow(), cad);
  EXPECT_TRUE(channel.SendCadText(u"\x03"));
  EXPECT_EQ(windows.copyData.size(), 1u);

  // A later search that finds another one replaces it.
  const WindowHandle other = windows.add(u"AutoCAD Drawing2.dwg", u"Afx:0:8:0:0");
  EXPECT_EQ(channel.FindCadWindow(), other);
}

TEST(AcadCtrl2016, ClosedRememberedWindowGetsNothing) {
  FakeWindowSystem windows;
  const WindowHandle cad = windows.add(u"AutoCAD Drawing1.dwg", u"Afx:0:8:0:0");
  AcadCtrl2016 channel(windows);
  ASSERT_TRUE(channel.SendCadText(u"\x03"));
  windows.destroy(cad);
  EXPECT_FALSE(channel.SendCadText(u"\x03"));
  EXPECT_EQ(windows.copyData.size(), 1u);
  EXPECT_EQ(windows.nullMessages.size(), 1u);
}

TEST(AcadCtrl2016, TextsUpTo511CharactersAreSentWhole) {
  FakeWindowSystem windows;
  windows.add(u"AutoCAD Drawing1.dwg", u"Afx:0:8:0:0");
  AcadCtrl2016 channel(windows);
  const Text longest(511, u'x');
  ASSERT_TRUE(channel.SendCadText(longest));
  ASSERT_EQ(windows.copyData.size(), 1u);
  EXPECT_EQ(windows.copyData[0].data.size(), 512u);
  EXPECT_EQ(windows.copyData[0].data.back(), u'\0');
}

TEST(AcadCtrl2016, LongerTextIsRefusedNotCut) {
  FakeWindowSystem windows;
  windows.add(u"AutoCAD Drawing1.dwg", u"Afx:0:8:0:0");
  AcadCtrl2016 channel(windows);
  EXPECT_FALSE(channel.SendCadText(Text(512, u'x')));
  EXPECT_TRUE(windows.copyData.empty());
  EXPECT_TRUE(windows.nullMessages.empty());
}

TEST(AcadCtrl2016, EmptyTextSendsTheTerminatingZeroOnly) {
  FakeWindowSystem windows;
  windows.add(u"AutoCAD Drawing1.dwg", u"Afx:0:8:0:0");
  AcadCtrl2016 channel(windows);
  ASSERT_TRUE(channel.SendCadText(u""));
  EXPECT_EQ(windows.copyData.at(0).data, std::vector<char16_t>{u'\0'});
}

}  // namespace
}  // namespace zemvo
