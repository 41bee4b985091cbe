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
  testing::setUpBattleScreen(m, ZAV3_DEMO_DIR);
  testing::placeStandardShips(m);
  m.crossHairShown = true;
  m.rangeShown = true;
  // Warm the glyph cache as a running battle has.
  combat::buildPlot(m);
  combat::redrawTacticalDisplay(m);
  for (auto _ : state) {
    combat::buildPlot(m);
    combat::redrawTacticalDisplay(m);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(tacticalDisplayRedraw)->Unit(benchmark::kMicrosecond);

}  // namespace
