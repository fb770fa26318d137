#include "core/plot_range.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/coordinate_list.h"
#include "core/numbers.h"

namespace zemvo {
namespace {

// The membership rules read literally: spans are listed number by number.
bool containsByListing(TextView text, std::int32_t number) {
  if (text.empty()) return true;
  if (number <= 0) return false;
  Text commas(text);
  std::replace(commas.begin(), commas.end(), u';', u',');
  std::vector<Text> entries;
  SplitByComma(commas, entries);
  bool answer = false;
  const std::size_t m = entries.size();
  for (std::size_t i = 0; i < m; ++i) {
    const Text t = trimmed(entries[i]);
    const std::size_t dash = t.find(u'-');
    if (dash == Text::npos) continue;
    const std::int32_t a = parseInteger(trimmed(TextView(t).substr(0, dash))).value_or(0);
    const std::int32_t b = parseInteger(trimmed(TextView(t).substr(dash + 1))).value_or(0);
    if (0 < a && a < b) {
      for (std::int32_t k = a; k <= b; ++k) entries.push_back(decimalText(k));
      entries[i].clear();
    } else if (a > 0) {
      answer = answer || number >= a;
    } else {
      answer = answer || (b > 0 && number <= b);
    }
  }
  if (!answer) answer = std::find(entries.begin(), entries.end(), decimalText(number)) != entries.end();
  return answer;
}

TEST(PlotRange, SelectsWhatTheRangeTextSays) {
  struct Case {
    const char16_t* text;
    std::vector<std::int32_t> in;
    std::vector<std::int32_t> out;
  };
  const Case cases[] = {
      {u"", {-5, 0, 1, 1000}, {}},
      {u"   ", {}, {1, 2, 3}},
      {u"1-3,6,7", {1, 2, 3, 6, 7}, {0, -1, 4, 5, 8}},
      {u"3-3", {3, 4, 100}, {2}},
      {u"5-3", {5, 6}, {3, 4}},
      {u"-2", {1, 2}, {0, 3}},
      {u"0-2", {1, 2}, {3}},
      {u"x-5", {1, 5}, {6}},
      {u"9-", {9, 10, 2147483647}, {8}},
      {u"05", {}, {5}},
      {u"2;5", {2, 5}, {3}},
      {u"1-3, 5", {1, 3}, {5, 4}},
      {u"1 - 3 ", {1, 2, 3}, {4}},
      {u",,", {}, {1}},
      {u"-", {}, {1}},
      {u"$A-0x0C", {10, 11, 12}, {9, 13}},
  };
  for (const Case& c : cases) {
    const PlotRange range(c.text);
    for (std::int32_t n : c.in) EXPECT_TRUE(range.contains(n)) << "'" << toUtf8(c.text) << "' " << n;
    for (std::int32_t n : c.out) EXPECT_FALSE(range.contains(n)) << "'" << toUtf8(c.text) << "' " << n;
    for (std::int32_t n : c.in) EXPECT_TRUE(PlotRange::contains(c.text, n));
  }
}

TEST(PlotRange, AgreesWithTheListingRulesOnRandomTexts) {
  std::mt19937 random(20231210);
  const char16_t pieces[] = {u'1', u'2', u'3', u'0', u'9', u'-', u'-', u',', u',', u';', u' ', u'\t', u'x', u'$'};
  for (int trial = 0; trial < 4000; ++trial) {
    Text text;
    const int length = static_cast<int>(random() % 9);
    for (int i = 0; i < length; ++i) text += pieces[random() % std::size(pieces)];
    const PlotRange range(text);
    for (std::int32_t n = -1; n <= 40; ++n) {
      ASSERT_EQ(range.contains(n), containsByListing(text, n)) << "'" << toUtf8(text) << "' " << n;
    }
  }
}

}  // namespace
}  // namespace zemvo
