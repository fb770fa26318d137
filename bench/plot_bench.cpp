#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/coordinate_list.h"
#include "dxf/plot_generator.h"

namespace {

// "CADへ" on 100,000 rows with every kind of entity on, to the saved file.
void PlotHundredThousandRows(benchmark::State& state) {
  zemvo::StringGrid list(5, 100001);
  for (int r = 1; r <= 100000; ++r) {
    list.setCell(0, r, u"A-" + zemvo::decimalText(r));
    list.setCell(1, r, zemvo::decimalText(r * 3) + u".125");
    list.setCell(2, r, zemvo::decimalText(-r) + u".5");
    list.setCell(3, r, u"12.25");
  }
  zemvo::RenumberPlotNo(list);
  zemvo::PlotOptions options;
  options.polylines = options.closed = options.threeD = true;
  options.points = options.circles = options.names = options.values = true;
  options.delimiter = u"-";
  options.range = u"1-100000";
  options.polylineLayer = u"ZEMVO_PLINE";
  options.pointLayer = u"ZEMVO_POINT";
  options.circleLayer = u"ZEMVO_CIRCLE";
  options.nameLayer = u"ZEMVO_TEXTPT";
  options.valueLayer = u"ZEMVO_TEXTXY";
  options.radius = u"2.5";
  options.nameHeight = u"2.5";
  options.valueHeight = u"1.8";
  options.valueDecimals = 3;
  const auto path = std::filesystem::temp_directory_path() / "zemvo-plot-bench.dxf";
  zemvo::DxfFragmentWriter writer(zemvo::fromUtf8(path.string()));
  for (auto _ : state) {
    benchmark::DoNotOptimize(zemvo::writePlot(writer, list, options, 1, true));
    writer.Save();
  }
  std::filesystem::remove(path);
}
BENCHMARK(PlotHundredThousandRows)->Unit(benchmark::kMillisecond);

}  // namespace
