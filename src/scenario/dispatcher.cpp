// The special routine dispatcher.
#include "scenario/dispatcher.hpp"

#include <cstdio>
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

bool RoutineTable::firstReportOfMissing(int n) {
  if (!isRoutineNumber(n) || has(n) || reported_.test(static_cast<size_t>(n))) return false;
  reported_.set(static_cast<size_t>(n));
  return true;
}

void specialRoutine(Main& m, host::Integer n) {
  m.host.trace.line("routine " + std::to_string(n));
  // A number the routine table gives a routine that this engine lacks does nothing, as a number
  // without a routine does; but an author running original data must see what is missing.
  if (m.routines.firstReportOfMissing(n)) {
    const std::string warning = "routine " + std::to_string(n) + " is not available";
    std::fprintf(stderr, "warning: %s\n", warning.c_str());
    m.host.trace.line(warning);
  }
  m.routines.run(m, n);
}

}  // namespace zav3::scenario
