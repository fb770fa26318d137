#include "dxf/plot_generator.h"

#include <gtest/gtest.h>

namespace zemvo {
namespace {

std::vector<TPlotData> entriesAt(std::initializer_list<std::pair<long double, std::int32_t>> xAndGroup) {
  std::vector<TPlotData> entries;
  for (const auto& [x, group] : xAndGroup) {
    TPlotData entry;
    entry.idx = static_cast<std::int32_t>(entries.size());
    entry.grp = group;
    entry.pt.x = x;
    entries.push_back(entry);
  }
  return entries;
}

std::vector<long double> xs(const std::vector<TPlotData>& entries) {
  std::vector<long double> out;
  for (const auto& entry : entries) out.push_back(entry.pt.x);
  return out;
}

TEST(ReorderByNearest, MovesEachNextNearestPointUpFromTheFourthPosition) {
  using X = std::vector<long double>;
  struct Case {
    std::vector<TPlotData> entries;
    X expected;
  };
  const Case cases[] = {
      {entriesAt({{0, 0}, {1, 0}, {2, 0}, {10, 0}, {3, 0}}), X{0, 1, 2, 3, 10}},
      // The first three never move, even when far apart.
      {entriesAt({{50, 0}, {0, 0}, {40, 0}, {1, 0}, {39, 0}}), X{50, 0, 40, 39, 1}},
      {entriesAt({{0, 0}, {9, 0}, {5, 0}}), X{0, 9, 5}},
      // Equal distances: the one met first stays.
      {entriesAt({{0, 0}, {0, 0}, {5, 0}, {7, 0}, {3, 0}}), X{0, 0, 5, 7, 3}},
      // Only the same group competes: 20 is not pulled past the group's end,
      // and the second group is ordered from its own first point.
      {entriesAt({{0, 0}, {1, 0}, {2, 0}, {20, 0}, {3, 1}, {30, 1}, {4, 1}}), X{0, 1, 2, 20, 3, 4, 30}},
      {entriesAt({{0, 0}, {1, 0}, {2, 0}, {9, 0}, {3, 0}, {100, 1}, {50, 1}, {99, 1}}), X{0, 1, 2, 3, 9, 100, 99, 50}},
  };
  for (const Case& c : cases) {
    std::vector<TPlotData> entries = c.entries;
    reorderByNearest(entries);
    EXPECT_EQ(xs(entries), c.expected);
  }
}

TEST(ReorderByNearest, KeepsWholeRecordsTogether) {
  std::vector<TPlotData> entries = entriesAt({{0, 0}, {1, 0}, {2, 0}, {10, 0}, {3, 0}});
  entries[4].name = u"P5";
  reorderByNearest(entries);
  EXPECT_EQ(entries[3].name, u"P5");
  EXPECT_EQ(entries[3].idx, 4);
  EXPECT_EQ(entries[4].idx, 3);
}

}  // namespace
}  // namespace zemvo
