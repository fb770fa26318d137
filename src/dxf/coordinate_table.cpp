#include "dxf/coordinate_table.h"

#include <vector>

#include "core/coordinate_list.h"
#include "core/error.h"
#include "core/numbers.h"

namespace zemvo {

int tableDecimals(TextView field) {
  const auto value = parseInteger(field);
  if (!value) throw Error(u"'" + Text(field) + u"' は有効な整数ではありません");
  return *value;
}

void writeCoordinateTable(DxfFragmentWriter& writer, const StringGrid& list, const TableOptions& options,
                          long double scale) {
  const long double g = CellNumber(options.rowHeight, 0) * scale;
  const long double h = CellNumber(options.nameWidth, 0) * scale;
  const long double l = CellNumber(options.valueWidth, 0) * scale;
  const long double textHeight = CellNumber(options.textHeight, 0) * scale;
  const int rows = list.rowCount();  // captions included
  const int valueColumns = options.withZ ? 3 : 2;
  const long double width = h + valueColumns * l;

  writer.BeginFragment();
  for (int u = 0; u <= rows; ++u)
    writer.AddTableLine(options.lineLayer, TableRule::Horizontal, 0, -u * g, width, -u * g);
  std::vector<long double> boundaries{0, h};
  for (int c = 1; c <= valueColumns; ++c) boundaries.push_back(h + c * l);
  for (long double x : boundaries) writer.AddTableLine(options.lineLayer, TableRule::Vertical, x, 0, x, -rows * g);

  const Text captions[] = {u"測点", u"X座標", u"Y座標", u"Z座標"};
  writer.AddTableText(options.textLayer, TableTextAlign::Centre, {h / 2, -g / 2, 0}, textHeight, captions[0],
                      TableTextWidth::Caption);
  for (int c = 1; c <= valueColumns; ++c) {
    writer.AddTableText(options.textLayer, TableTextAlign::Centre, {h + (c - 1) * l + l / 2, -g / 2, 0}, textHeight,
                        captions[c], TableTextWidth::Caption);
  }

  // A negative count rounds to tens, hundreds, ... and prints no decimals.
  const int decimals = tableDecimals(options.decimals);
  for (int u = 1; u < rows; ++u) {
    const long double y = -u * g - g / 2;
    if (!list.cell(kNameColumn, u).empty()) {
      writer.AddTableText(options.textLayer, TableTextAlign::Left, {g, y, 0}, textHeight, list.cell(kNameColumn, u),
                          TableTextWidth::Value);
    }
    for (int c = 1; c <= valueColumns; ++c) {
      if (list.cell(c, u).empty()) continue;
      int source = c;
      if (options.yx && c == kXColumn) source = kYColumn;
      if (options.yx && c == kYColumn) source = kXColumn;
      long double v = CellNumber(list.cell(source, u), 0);
      if (options.thousandth) v = v / 1000;
      v = roundToDecimals(decimals, v);
      writer.AddTableText(options.textLayer, TableTextAlign::Right, {h + c * l - g, y, 0}, textHeight,
                          formatFixed(v, decimals), TableTextWidth::Value);
    }
  }
  writer.EndFragment();
}

}  // namespace zemvo
