// The prefix the wrapper prepares: what every other Windows test relies on.
#include <windows.h>
#include <gtest/gtest.h>
#include <objbase.h>

namespace {

TEST(WineEnvironment, AnsiCodePageIsJapanese) {
  // The profile functions read and write CP932 files, as on the users'
  // Japanese Windows.
  EXPECT_EQ(GetACP(), 932u);
}

TEST(WineEnvironment, StandInClassesAreRegistered) {
  CLSID clsid{};
  EXPECT_EQ(CLSIDFromProgID(L"BricscadApp.AcadApplication", &clsid), S_OK);
  EXPECT_EQ(CLSIDFromProgID(L"Excel.Application", &clsid), S_OK);
  const CLSID excel = {0x00024500, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
  EXPECT_TRUE(IsEqualCLSID(clsid, excel));
}

TEST(WineEnvironment, JapaneseFontsAreReplaced) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Fonts\\Replacements", 0, KEY_READ, &key), ERROR_SUCCESS);
  wchar_t value[64] = {};
  DWORD size = sizeof value;
  EXPECT_EQ(RegQueryValueExW(key, L"ＭＳ Ｐゴシック", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(value, L"Noto Sans CJK JP");
  RegCloseKey(key);
}

TEST(WineEnvironment, TopLevelWindowsCanBeCreated) {
  HWND window = CreateWindowExW(0, L"STATIC", L"probe", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindow(window));
  DestroyWindow(window);
}

TEST(WineEnvironment, RunningObjectTableAnswers) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  IRunningObjectTable* table = nullptr;
  EXPECT_EQ(GetRunningObjectTable(0, &table), S_OK);
  if (table) table->Release();
  CoUninitialize();
}

}  // namespace
