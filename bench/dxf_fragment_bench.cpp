#include <benchmark/benchmark.h>

#include <filesystem>

#include "dxf/dxf_fragment_writer.h"

namespace {

// 100,000 points written as a polyline vertex, a point, a circle, a name and
// a coordinate text each, then saved.
void HundredThousandRowsEveryKind(benchmark::State& state) {
  const auto path = std::filesystem::temp_directory_path() / "zemvo-bench.dxf";
  zemvo::DxfFragmentWriter writer(zemvo::fromUtf8(path.string()));
  for (auto _ : state) {
    writer.BeginFragment();
    writer.AddPolylineStart(u"ZEMVO_PLINE", 0);
    for (int i = 0; i < 100000; ++i) writer.AddVertex(u"ZEMVO_PLINE", {i * 1.5L, i * -2.25L, 3});
    writer.AddSeqEnd();
    for (int i = 0; i < 100000; ++i) {
      const zemvo::TAcadPoint p{i * 1.5L, i * -2.25L, 3};
      writer.AddPoint(u"ZEMVO_POINT", p);
      writer.AddCircle(u"ZEMVO_CIRCLE", p, 2.5);
      writer.AddNameText(u"ZEMVO_TEXTPT", p, 2.5, u"測点-" + zemvo::decimalText(i));
      writer.AddValueText(u"ZEMVO_TEXTXY", p, 1.8, u"X=1.000 Y=2.000");
    }
    writer.EndFragment();
    writer.Save();
  }
  std::filesystem::remove(path);
}
BENCHMARK(HundredThousandRowsEveryKind)->Unit(benchmark::kMillisecond);

}  // namespace
