#pragma once

#include <cstdint>
#include <vector>

#include "core/acad_point.h"
#include "core/string_grid.h"
#include "core/text.h"

namespace zemvo {

// Columns of the coordinate list, by position.
enum CoordinateColumn : int {
  kNameColumn = 0,
  kXColumn = 1,
  kYColumn = 2,
  kZColumn = 3,
  kPlotNoColumn = 4,
};

// One entry of the plot work array.
struct TPlotData {
  std::int32_t idx = 0;  // data row idx + 1
  std::int32_t grp = 0;  // polyline group, 0 for the first
  TAcadPoint pt;
  Text name;
};

// At least one data row, and the X cell of row 1 is not empty.
bool HasData(const StringGrid& list);

// Column 4 of data rows 1..n becomes "1".."n".
void RenumberPlotNo(StringGrid& list);

struct PointNamePrefix {
  int length = 0;  // 0: grouping off
  Text prefix;     // the first `length` characters of row 1's name
};

// The delimiter is the first character of `delimiterField`; its position in
// row 1's name fixes the prefix length for every row.
PointNamePrefix GroupPrefix(const StringGrid& list, TextView delimiterField);

// Tells, name by name in list order, when a new polyline group starts.
class GroupTracker {
 public:
  explicit GroupTracker(PointNamePrefix prefix);
  // Feeds the next name; true when it starts a new group.
  bool startsNewGroup(TextView name);
  std::int32_t group() const { return group_; }

 private:
  int length_;
  Text current_;
  std::int32_t group_ = 0;
};

// One entry per data row, in list order; without Z every z is 0.
std::vector<TPlotData> BuildPlotData(const StringGrid& list, bool withZ, const PointNamePrefix& prefix);

// Every piece between commas, untrimmed; an empty text gives one empty piece.
void SplitByComma(TextView text, std::vector<Text>& list);

}  // namespace zemvo
