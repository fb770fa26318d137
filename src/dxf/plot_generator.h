#pragma once

#include <vector>

#include "core/coordinate_list.h"
#include "core/string_grid.h"
#include "dxf/dxf_fragment_writer.h"

namespace zemvo {

// What "CAD 描画" draws, read from the controls when the button is clicked.
struct PlotOptions {
  bool polylines = false;  // CheckBox21
  bool closed = false;     // CheckBox5
  bool threeD = false;     // CheckBox8
  bool reorder = false;    // CheckBox7
  bool points = false;     // CheckBox22
  bool circles = false;    // CheckBox26
  bool names = false;      // CheckBox23
  bool values = false;     // CheckBox4
  bool zOnly = false;      // CheckBox11
  Text delimiter;          // Edit7
  Text range;              // Edit31
  Text polylineLayer;      // Edit2
  Text pointLayer;         // Edit8
  Text circleLayer;        // Edit18
  Text nameLayer;          // Edit9
  Text valueLayer;         // Edit10
  Text radius;             // Edit19
  Text nameHeight;         // Edit1
  Text valueHeight;        // Edit13
  int valueDecimals = 0;   // UpDown6
};

// From the fourth entry on, each position takes the nearest remaining entry
// of the same group to the one before it; the first met wins a tie.
void reorderByNearest(std::vector<TPlotData>& entries);

// Adds the plot's entities between BeginFragment and EndFragment, in the
// fixed order polylines, points, circles, names, coordinate texts. Returns
// how many vertices, points, circles and texts it wrote.
int writePlot(DxfFragmentWriter& writer, const StringGrid& list, const PlotOptions& options, long double scale,
              bool withZ);

// The whole "CADへ": nothing without a running CAD or without data; sizes
// scaled by the drawing's DIMSCALE when asked; the fragment saved, and
// inserted at the origin when it holds anything.
void plotToCad(CadLink& cad, DxfFragmentWriter& writer, const StringGrid& list, const PlotOptions& options,
               bool scaleByDimscale, bool withZ);

}  // namespace zemvo
