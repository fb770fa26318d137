#pragma once

#include <cstdint>
#include <vector>

#include "core/text.h"

namespace zemvo {

// The plot range typed into the main tab, such as "1-3, 5, 9-". Parsed once,
// it answers membership without listing the numbers a range spans.
class PlotRange {
 public:
  explicit PlotRange(TextView text);

  bool contains(std::int32_t number) const;
  static bool contains(TextView text, std::int32_t number);

 private:
  struct Interval {
    std::int32_t low;
    std::int32_t high;
  };
  bool everything_ = false;
  std::vector<Interval> intervals_;
  std::vector<Text> exactEntries_;  // compared untrimmed with the number's text
};

}  // namespace zemvo
