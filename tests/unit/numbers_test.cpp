#include "core/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zemvo {
namespace {

TEST(CellNumber, ReadsNumbersAndFallsBackToTheDefault) {
  struct Case {
    const char16_t* text;
    long double expected;
  };
  const Case cases[] = {
      {u"12.5", 12.5L},      {u"  -3.25 ", -3.25L}, {u"1E3", 1000.0L}, {u"2.5e-2", 0.025L},
      {u"+7", 7.0L},         {u".5", 0.5L},         {u"5.", 5.0L},     {u"\t8\t", 8.0L},
      {u"", -1.0L},          {u"   ", -1.0L},       {u"abc", -1.0L},   {u"1,5", -1.0L},
      {u"1.2.3", -1.0L},     {u"0x10", -1.0L},      {u"inf", -1.0L},   {u"nan", -1.0L},
      {u"1e", -1.0L},        {u"e5", -1.0L},        {u"-", -1.0L},     {u"1 2", -1.0L},
      {u"1e99999", -1.0L},   {u"１２", -1.0L},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CellNumber(c.text, -1.0L), c.expected) << toUtf8(c.text);
  }
}

TEST(RoundToDecimals, HalvesGoAwayFromZero) {
  struct Case {
    int digits;
    long double value;
    long double expected;
  };
  const Case cases[] = {
      {2, 0.125L, 0.13L},   {0, -2.5L, -3.0L},    {2, -0.004L, 0.0L},  {0, 2.5L, 3.0L},
      {3, 12.3456L, 12.346L}, {0, 12.6L, 13.0L},   {0, 7.2L, 7.0L},     {1, -0.05L, -0.1L},
  };
  for (const Case& c : cases) {
    // The result is k * 0.1^digits, so compare with the same multiplication.
    const long double got = roundToDecimals(c.digits, c.value);
    EXPECT_NEAR(static_cast<double>(got), static_cast<double>(c.expected), 1e-12)
        << c.digits << " " << static_cast<double>(c.value);
  }
  EXPECT_FALSE(std::signbit(roundToDecimals(2, -0.004L)));
  // Far more decimals than 64 bits hold keeps the value instead of wrapping.
  EXPECT_EQ(roundToDecimals(20, 12.5L), 12.5L);
  EXPECT_EQ(roundToDecimals(-2, 12345.6L), 12300.0L);
}

TEST(FormatFixed, WritesNDecimalsRoundingTiesAwayFromZero) {
  struct Case {
    long double value;
    int decimals;
    const char16_t* expected;
  };
  const Case cases[] = {
      {-12.5L, 8, u"-12.50000000"}, {0.0L, 8, u"0.00000000"},   {12.5L, 0, u"13"},
      {-0.125L, 2, u"-0.13"},       {0.125L, 2, u"0.13"},        {2.5L, 0, u"3"},
      {12.6L, 0, u"13"},            {7.2L, 0, u"7"},             {-0.001L, 2, u"0.00"},
      {999.9996L, 3, u"1000.000"},  {1234567.123456789L, 8, u"1234567.12345679"},
      {0.1L, 20, u"0.10000000000000000000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(formatFixed(c.value, c.decimals), c.expected) << static_cast<double>(c.value);
  }
  // 0.145 is stored a little below the tie, and must not be pushed over it.
  EXPECT_EQ(formatFixed(0.145, 2), u"0.14");
}

TEST(FormatGeneral, FifteenSignificantDigitsWithoutTrailingZeros) {
  struct Case {
    long double value;
    const char16_t* expected;
  };
  const Case cases[] = {
      {2.5L, u"2.5"},
      {5.0L, u"5"},
      {0.1 * 3, u"0.3"},
      {0.000001L, u"1E-6"},
      {0.00001L, u"0.00001"},
      {-1.5e-7L, u"-1.5E-7"},
      {123456789012345.0L, u"123456789012345"},
      {1234567890123456.0L, u"1.23456789012346E15"},
      {1e20L, u"1E20"},
      {0.0L, u"0"},
      {-25.0L, u"-25"},
      {999999999999999.5L, u"1E15"},
      {1.0L / 3, u"0.333333333333333"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(formatGeneral(c.value), c.expected) << static_cast<double>(c.value);
  }
}

TEST(ParseInteger, DecimalAndHexadecimalTexts) {
  struct Case {
    const char16_t* text;
    std::optional<std::int32_t> expected;
  };
  const Case cases[] = {
      {u"12", 12},       {u"-7", -7},         {u"+3", 3},          {u"$1F", 31},
      {u"0x10", 16},     {u"0X1f", 31},       {u"-$10", -16},      {u"$FFFFFFFF", -1},
      {u"2147483647", 2147483647},            {u"-2147483648", std::numeric_limits<std::int32_t>::min()},
      {u"2147483648", std::nullopt},          {u"", std::nullopt}, {u"0x", std::nullopt},
      {u"$", std::nullopt},                   {u" 5", std::nullopt}, {u"5 ", std::nullopt},
      {u"1.0", std::nullopt},                 {u"abc", std::nullopt}, {u"05", 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(parseInteger(c.text), c.expected) << toUtf8(c.text);
  }
}

}  // namespace
}  // namespace zemvo
