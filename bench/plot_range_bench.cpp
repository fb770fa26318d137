#include <benchmark/benchmark.h>

#include "core/plot_range.h"

namespace {

// Every painted PLOT No. cell and every plotted row asks the range text.
void TextPerCall(benchmark::State& state) {
  const zemvo::Text text = u"1-100000";
  for (auto _ : state) {
    int inRange = 0;
    for (std::int32_t n = 1; n <= 100000; ++n) inRange += zemvo::PlotRange::contains(text, n) ? 1 : 0;
    benchmark::DoNotOptimize(inRange);
  }
}
BENCHMARK(TextPerCall)->Unit(benchmark::kMillisecond);

void ParsedOnce(benchmark::State& state) {
  for (auto _ : state) {
    const zemvo::PlotRange range(u"1-3, 5, 7, 9-20, 100-100000");
    int inRange = 0;
    for (std::int32_t n = 1; n <= 100000; ++n) inRange += range.contains(n) ? 1 : 0;
    benchmark::DoNotOptimize(inRange);
  }
}
BENCHMARK(ParsedOnce)->Unit(benchmark::kMillisecond);

}  // namespace
