#include <gtest/gtest.h>

#include <string>

#include "settings/ini_file.h"
#include "settings/profile_file.h"

namespace zemvo {
namespace {

// A file holding `value` under [S] V, or no such key when value is null.
IniFile fileWith(const char* value) {
  std::string bytes = "[S]\r\n";
  if (value) bytes += std::string("V=") + value + "\r\n";
  return IniFile::fromBytes(u"test.ini", bytes);
}

TEST(ReadProfileInteger, ReadsDecimalAndHexadecimalElseTheDefault) {
  struct Case {
    const char* value;  // null: the key is missing
    std::int32_t expected;
  };
  const Case cases[] = {
      {"12", 12},
      {"-3", -3},
      {"+4", 4},
      {"0", 0},
      {"0x1F", 31},
      {"0X1f", 31},
      {"0x2", 2},
      {"-0x10", -16},
      {"$10", 16},
      {"$ff", 255},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"  7  ", 7},  // blanks belong to the file, not the value
      {"\"8\"", 8},  // as do quotes
      {"0x", -99},   // "0x" is hexadecimal only before more characters
      {"$", -99},
      {"x1F", -99},
      {"0x1G", -99},
      {"abc", -99},
      {"12abc", -99},
      {"1.5", -99},
      {"1e3", -99},
      {"1 2", -99},
      {"2147483648", -99},
      {"-2147483649", -99},
      {"$100000000", -99},
      {"+", -99},
      {"-", -99},
      {"\x82\x50", -99},  // the full-width digit "１" in CP932
      {"", -99},
      {nullptr, -99},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(readProfileInteger(fileWith(c.value), u"S", u"V", -99), c.expected) << (c.value ? c.value : "(missing)");
  }
}

TEST(ReadProfileInteger, LooksUpWithoutRegardToCase) {
  const IniFile file = IniFile::fromBytes(u"test.ini", "[excel]\r\ncoln=0x2\r\n");
  EXPECT_EQ(readProfileInteger(file, u"Excel", u"ColN", 0), 2);
}

TEST(ReadProfileBool, AnyNonZeroIntegerIsYesLettersAreMalformed) {
  struct Case {
    const char* value;
    bool defaultValue;
    bool expected;
  };
  const Case cases[] = {
      {"1", false, true},    {"0", true, false},      {"2", false, true},    {"-1", false, true},
      {"0x0", true, false},  {"$1", false, true},     {"yes", false, false}, {"yes", true, true},
      {"no", true, true},    {"true", false, false},  {"", true, true},      {"", false, false},
      {nullptr, true, true}, {nullptr, false, false}, {"1.0", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(readProfileBool(fileWith(c.value), u"S", u"V", c.defaultValue), c.expected)
        << (c.value ? c.value : "(missing)") << " default " << c.defaultValue;
  }
}

TEST(ReadProfileText, PresentButEmptyIsEmptyMissingIsTheDefault) {
  struct Case {
    const char* value;
    const char16_t* expected;
  };
  const Case cases[] = {
      {"", u""}, {"   ", u""}, {nullptr, u"-"}, {"abc", u"abc"}, {" a b ", u"a b"}, {"\"\"", u""}, {"'-'", u"-"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(readProfileText(fileWith(c.value), u"S", u"V", u"-"), c.expected) << (c.value ? c.value : "(missing)");
  }
}

TEST(ReadProfileText, GivesAtMost2047Characters) {
  for (std::size_t length : {std::size_t{2046}, std::size_t{2047}, std::size_t{2048}, std::size_t{5000}}) {
    const std::string value(length, 'a');
    EXPECT_EQ(readProfileText(fileWith(value.c_str()), u"S", u"V", u"").size(), std::min<std::size_t>(length, 2047))
        << length;
  }
  const Text longDefault(3000, u'd');
  EXPECT_EQ(readProfileText(fileWith(nullptr), u"S", u"V", longDefault).size(), 2047u);
}

}  // namespace
}  // namespace zemvo
