#include "dxf/plot_generator.h"

#include <filesystem>
#include <utility>

#include "core/numbers.h"
#include "core/plot_range.h"

namespace zemvo {

void reorderByNearest(std::vector<TPlotData>& e) {
  const std::size_t n = e.size();
  if (n <= 3) return;
  for (std::size_t i = 2; i + 2 <= n; ++i) {
    // Groups only grow along the array and swaps stay inside one group, so
    // entry i + 1 is of i's group whenever a later one is: `best` is always
    // set before it is compared.
    long double best = 0;
    for (std::size_t j = i + 1; j < n; ++j) {
      if (e[j].grp != e[i].grp) continue;
      const long double d = planarDistance(e[i].pt, e[j].pt);
      if (j == i + 1) {
        best = d;
      } else if (d < best) {
        best = d;
        std::swap(e[j], e[i + 1]);
      }
    }
  }
}

namespace {

void writePolylines(DxfFragmentWriter& writer, const std::vector<TPlotData>& entries, const StringGrid& list,
                    const PlotOptions& options, int flags, int& count) {
  GroupTracker groups(GroupPrefix(list, options.delimiter));
  writer.AddPolylineStart(options.polylineLayer, flags);
  for (const TPlotData& entry : entries) {
    if (groups.startsNewGroup(entry.name)) {
      writer.AddSeqEnd();
      writer.AddPolylineStart(options.polylineLayer, flags);
    }
    writer.AddVertex(options.polylineLayer, entry.pt);
    ++count;
  }
  writer.AddSeqEnd();
}

}  // namespace

int writePlot(DxfFragmentWriter& writer, const StringGrid& list, const PlotOptions& options, long double scale,
              bool withZ) {
  const int flags = (options.closed ? 1 : 0) + (options.threeD ? 8 : 0);
  const long double radius = CellNumber(options.radius, 0) * scale;
  const long double nameHeight = CellNumber(options.nameHeight, 0) * scale;
  const long double valueHeight = CellNumber(options.valueHeight, 0) * scale;

  std::vector<TPlotData> entries = BuildPlotData(list, withZ, GroupPrefix(list, options.delimiter));
  if (options.reorder) reorderByNearest(entries);

  // Each entry follows the plot number of its own row, wherever the
  // reorder moved it; decide once per entry.
  const PlotRange range(options.range);
  std::vector<char> inRange(entries.size());
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const std::int32_t plotNo = parseInteger(list.cell(kPlotNoColumn, entries[k].idx + 1)).value_or(0);
    inRange[k] = range.contains(plotNo) ? 1 : 0;
  }

  int count = 0;
  writer.BeginFragment();
  if (options.polylines && entries.size() >= 2) writePolylines(writer, entries, list, options, flags, count);
  if (options.points) {
    for (std::size_t k = 0; k < entries.size(); ++k) {
      if (!inRange[k]) continue;
      writer.AddPoint(options.pointLayer, entries[k].pt);
      ++count;
    }
  }
  if (options.circles) {
    for (std::size_t k = 0; k < entries.size(); ++k) {
      if (!inRange[k]) continue;
      writer.AddCircle(options.circleLayer, entries[k].pt, radius);
      ++count;
    }
  }
  if (options.names) {
    for (std::size_t k = 0; k < entries.size(); ++k) {
      if (!inRange[k]) continue;
      const Text name = trimmed(entries[k].name);
      if (name.empty()) continue;
      writer.AddNameText(options.nameLayer, entries[k].pt, nameHeight, name);
      ++count;
    }
  }
  if (options.values) {
    const int decimals = options.valueDecimals;
    for (std::size_t k = 0; k < entries.size(); ++k) {
      if (!inRange[k]) continue;
      const TAcadPoint& p = entries[k].pt;
      const Text text =
          options.zOnly ? formatFixed(p.z, decimals) : formatFixed(p.x, decimals) + u"," + formatFixed(p.y, decimals);
      writer.AddValueText(options.valueLayer, p, valueHeight, text);
      ++count;
    }
  }
  writer.EndFragment();
  return count;
}

void plotToCad(CadLink& cad, DxfFragmentWriter& writer, const StringGrid& list, const PlotOptions& options,
               bool scaleByDimscale, bool withZ) {
  if (!cad.isCadRunning()) return;
  const ObjectRef application = cad.attachApplication();
  long double scale = 1;
  if (scaleByDimscale) {
    const ObjectRef document = cad.activeDocument(*application);
    scale = cad.getVariable(*document, u"DIMSCALE").toDouble();
  }
  if (!HasData(list)) return;
  const int count = writePlot(writer, list, options, scale, withZ);
  writer.Save();
  if (count > 0 && std::filesystem::exists(std::filesystem::path(writer.path()))) {
    writer.InsertAtOrigin(cad, *application);
  }
}

}  // namespace zemvo
