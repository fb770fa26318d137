#include "core/plot_range.h"

#include <algorithm>
#include <limits>

#include "core/coordinate_list.h"
#include "core/numbers.h"

namespace zemvo {

// Entries are read as the range rules have them, but a span "a-b" is kept
// as an interval instead of being listed number by number: an entry listed
// from a span equals a number's text exactly when a <= number <= b.
PlotRange::PlotRange(TextView text) {
  if (text.empty()) {
    everything_ = true;
    return;
  }
  Text commas(text);
  std::replace(commas.begin(), commas.end(), u';', u',');
  std::vector<Text> entries;
  SplitByComma(commas, entries);
  constexpr std::int32_t kTop = std::numeric_limits<std::int32_t>::max();
  for (Text& entry : entries) {
    const std::size_t dash = entry.find(u'-');
    if (dash == Text::npos) {
      exactEntries_.push_back(std::move(entry));
      continue;
    }
    // Trimming only drops characters up to U+0020, so the dash stays where it is.
    const std::int32_t a = parseInteger(trimmed(TextView(entry).substr(0, dash))).value_or(0);
    const std::int32_t b = parseInteger(trimmed(TextView(entry).substr(dash + 1))).value_or(0);
    if (0 < a && a < b) {
      intervals_.push_back({a, b});
    } else if (a > 0) {
      intervals_.push_back({a, kTop});
    } else if (b > 0) {
      intervals_.push_back({1, b});
    }
  }
}

bool PlotRange::contains(std::int32_t number) const {
  if (everything_) return true;
  if (number <= 0) return false;
  for (const Interval& interval : intervals_) {
    if (interval.low <= number && number <= interval.high) return true;
  }
  if (exactEntries_.empty()) return false;
  const Text own = decimalText(number);
  return std::find(exactEntries_.begin(), exactEntries_.end(), own) != exactEntries_.end();
}

bool PlotRange::contains(TextView text, std::int32_t number) { return PlotRange(text).contains(number); }

}  // namespace zemvo
