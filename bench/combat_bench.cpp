// Tactical display speed: one full redraw of the battle screen (plot, projection, view, radar
// plot, elevation gauge and readout) with the cross-hair and the effective-range marks shown,
// on the demo's combat pictures; and one two-second step of a battle (routine 78: both ships
// moved, the plot built, a repair step, the enemy's fire, the full redraw and the status
// picture). Both have to stay far below one 60 Hz frame (16.7 ms).
#include <benchmark/benchmark.h>

#include "combat/battle_flow.hpp"
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

void battleStep(benchmark::State& state) {
  const auto host = host::makeHeadlessHost();
  Main m(*host);
  testing::drawStandardBattle(m, ZAV3_DEMO_DIR);
  combat::fillIntervalSeconds(m);
  combat::vars::shield(m) = 1200;
  // The enemy 30000 km ahead: in range of its guns, so that every step also draws its fire.
  auto place = [&] {
    testing::placeStandardShips(m);
    m.shipState(combat::vars::enemyXState) = 30000;
  };
  place();
  combat::battleStep(m);
  for (auto _ : state) {
    place();
    combat::battleStep(m);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(battleStep)->Unit(benchmark::kMicrosecond);

}  // namespace
