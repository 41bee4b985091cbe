// Travel throughput: three-minute travel steps per second through routine 28, five steps a call,
// at an eighth of light speed from the starting point towards Earth with the receiver tuned.
#include <benchmark/benchmark.h>

#include "host/host.hpp"
#include "shell/game_state.hpp"

namespace {

void BM_TravelSteps(benchmark::State& state) {
  auto host = zav3::host::makeHeadlessHost();
  host->trace.setKeep(false);
  zav3::Main game(*host);
  game.routines.run(game, 26);
  game.gameVar(36) = 3;  // course and receiver on Earth
  game.gameVar(38) = 3;
  game.gameVar(35) = 2;
  game.gameVar(42) = 8;
  game.gameFlag(860) = 1300;
  const zav3::SpacePoint start = game.placePos(13);
  for (auto _ : state) {
    // Every call starts at the same place and minute so that all five steps run.
    game.shipState(0) = start.x;
    game.shipState(1) = start.y;
    game.shipState(2) = start.z;
    game.shipState(3) = 2244555.0;
    game.gameVar(43) = 60;  // 01:00: no broadcast in the next fifteen minutes
    game.gameVar(109) = 0;
    game.gameVar(110) = 0;
    game.routines.run(game, 28);
    benchmark::DoNotOptimize(game.shipState(0));
  }
  state.SetItemsProcessed(state.iterations() * 5);
}
BENCHMARK(BM_TravelSteps);

}  // namespace
