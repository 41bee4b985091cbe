// The special routine dispatcher.
#include "scenario/dispatcher.hpp"

#include <string>

#include "shell/game_state.hpp"

namespace zav3::scenario {

void RoutineTable::add(int n, Routine routine) {
  if (n >= first && n <= last) routines_[static_cast<size_t>(n)] = std::move(routine);
}

bool RoutineTable::has(int n) const {
  return n >= first && n <= last && static_cast<bool>(routines_[static_cast<size_t>(n)]);
}

void RoutineTable::run(Main& m, int n) const {
  if (has(n)) routines_[static_cast<size_t>(n)](m);
}

void specialRoutine(Main& m, host::Integer n) {
  m.host.trace.line("routine " + std::to_string(n));
  m.routines.run(m, n);
}

}  // namespace zav3::scenario
