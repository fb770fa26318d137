#pragma once

#include "core/string_grid.h"
#include "dxf/dxf_fragment_writer.h"

namespace zemvo {

// The table's settings, read from the controls when the button is clicked.
struct TableOptions {
  Text rowHeight;           // Edit15, g
  Text nameWidth;           // Edit16, h
  Text valueWidth;          // Edit17, l
  Text textHeight;          // Edit14
  Text decimals;            // Edit20
  bool thousandth = false;  // CheckBox9: every coordinate / 1000
  bool withZ = false;       // CheckBox8
  bool yx = false;          // Button8: Y under "X座標", X under "Y座標"
  Text lineLayer;           // Edit11
  Text textLayer;           // Edit12
};

// Adds a ruled table of the whole list, upper-left corner at the origin,
// between BeginFragment and EndFragment. Throws zemvo::Error when the
// number of decimals is not an integer, before the fragment is complete.
void writeCoordinateTable(DxfFragmentWriter& writer, const StringGrid& list, const TableOptions& options,
                          long double scale);

// The decimals field read as an integer, or the conversion error.
int tableDecimals(TextView field);

}  // namespace zemvo
