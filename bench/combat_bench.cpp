// Tactical display speed: one full redraw of the battle screen (plot, projection, view, radar
// plot, elevation gauge and readout) with the cross-hair and the effective-range marks shown,
// on the demo's combat pictures. It has to stay far below one 60 Hz frame (16.7 ms).
#include <benchmark/benchmark.h>

#include "host/host.hpp"
#include "support/combat_scene.hpp"

namespace {

using namespace zav3;

void tacticalDisplayRedraw(benchmark::State& state) {
  const auto host = host::makeHeadlessHost();
  Main m(*host);
  // Drawn once first: the glyph cache is warm, as in a running battle.
  testing::drawStandardBattle(m, ZAV3_DEMO_DIR);
  for (auto _ : state) {
    combat::buildPlot(m);
    combat::redrawTacticalDisplay(m);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(tacticalDisplayRedraw)->Unit(benchmark::kMicrosecond);

}  // namespace
