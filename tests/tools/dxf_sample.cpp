// Writes a fragment holding one of every entity the program draws, for a
// DXF reader we did not write to check.
#include <cstdio>

#include "core/error.h"
#include "dxf/dxf_fragment_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: dxf_sample OUTPUT.dxf\n");
    return 2;
  }
  using namespace zemvo;
  try {
    DxfFragmentWriter writer(fromUtf8(argv[1]));
    writer.BeginFragment();
    writer.AddPolylineStart(u"外周", 1);
    writer.AddVertex(u"外周", {0, 0, 0});
    writer.AddVertex(u"外周", {10.5, 0, 1.25});
    writer.AddVertex(u"外周", {10.5, -20.125, 2});
    writer.AddSeqEnd();
    writer.AddPoint(u"点", {1, 2, 3});
    writer.AddCircle(u"円", {-12.5, 4, 0}, 2.5);
    writer.AddNameText(u"測点名", {1, 2, 3}, 2.5, u"No.1 境界杭");
    writer.AddValueText(u"座標値", {1, 2, 3}, 2, u"X=1.000 Y=2.000");
    writer.AddTableLine(u"表枠", TableRule::Horizontal, 0, -5, 85, -5);
    writer.AddTableLine(u"表枠", TableRule::Vertical, 25, 0, 25, -15);
    writer.AddTableText(u"表文字", TableTextAlign::Centre, {12.5, -2.5, 0}, 2.5, u"測点", TableTextWidth::Caption);
    writer.AddTableText(u"表文字", TableTextAlign::Right, {80, -7.5, 0}, 2.5, u"123.456", TableTextWidth::Value);
    writer.EndFragment();
    writer.Save();
  } catch (const Error& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
