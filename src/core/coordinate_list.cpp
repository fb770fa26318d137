#include "core/coordinate_list.h"

#include "core/numbers.h"

namespace zemvo {

bool HasData(const StringGrid& list) { return list.rowCount() >= 2 && !list.cell(kXColumn, 1).empty(); }

void RenumberPlotNo(StringGrid& list) {
  StringGrid::Batch batch(list);
  for (int r = 1; r < list.rowCount(); ++r) list.setCell(kPlotNoColumn, r, decimalText(r));
}

PointNamePrefix GroupPrefix(const StringGrid& list, TextView delimiterField) {
  if (delimiterField.empty()) return {};
  const Text& name = list.cell(kNameColumn, 1);
  const std::size_t found = name.find(delimiterField[0]);
  // Found at index 0 means the name begins with it: no prefix, no grouping.
  if (found == Text::npos || found == 0) return {};
  return {static_cast<int>(found), name.substr(0, found)};
}

GroupTracker::GroupTracker(PointNamePrefix prefix) : length_(prefix.length), current_(std::move(prefix.prefix)) {}

bool GroupTracker::startsNewGroup(TextView name) {
  if (length_ <= 0 || current_.empty()) return false;
  const TextView own = name.substr(0, static_cast<std::size_t>(length_));
  if (own.empty() || own == current_) return false;
  current_ = Text(own);
  ++group_;
  return true;
}

std::vector<TPlotData> BuildPlotData(const StringGrid& list, bool withZ, const PointNamePrefix& prefix) {
  std::vector<TPlotData> entries;
  entries.reserve(static_cast<std::size_t>(list.rowCount() > 1 ? list.rowCount() - 1 : 0));
  GroupTracker groups(prefix);
  for (int r = 1; r < list.rowCount(); ++r) {
    TPlotData entry;
    entry.idx = r - 1;
    entry.name = list.cell(kNameColumn, r);
    groups.startsNewGroup(entry.name);
    entry.grp = groups.group();
    entry.pt.x = CellNumber(list.cell(kXColumn, r), 0);
    entry.pt.y = CellNumber(list.cell(kYColumn, r), 0);
    entry.pt.z = withZ ? CellNumber(list.cell(kZColumn, r), 0) : 0;
    entries.push_back(std::move(entry));
  }
  return entries;
}

void SplitByComma(TextView text, std::vector<Text>& list) {
  list.clear();
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(u',', start);
    if (comma == TextView::npos) break;
    list.emplace_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  list.emplace_back(text.substr(start));
}

}  // namespace zemvo
