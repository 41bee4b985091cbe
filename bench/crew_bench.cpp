// Hourly crew activity: routine 29 calls per second, each one hour of the five crew members'
// life, the clock moving on an hour a call so that day and night steps alternate as in play.
#include <benchmark/benchmark.h>

#include "host/host.hpp"
#include "shell/game_state.hpp"

namespace {

void BM_CrewHour(benchmark::State& state) {
  auto host = zav3::host::makeHeadlessHost();
  host->trace.setKeep(false);
  zav3::Main game(*host);
  // Two in the canteen, one in the corridor, two on the bridge.
  const float places[] = {8, 9, 1, 1, 8};
  for (int i = 1; i <= 5; ++i) game.gameVar(5 * i + 1) = places[i - 1];
  for (auto _ : state) {
    game.gameVar(43) += 60;
    if (game.gameVar(43) > 14400) game.gameVar(43) = 0;
    game.routines.run(game, 29);
    benchmark::DoNotOptimize(game.gameVar(86));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CrewHour);

}  // namespace
