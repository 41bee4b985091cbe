// The special routine dispatcher: numbered game routines 1..110 registered by the subsystems
// that own them, run from SP records, conditions and choice options.
#pragma once

#include <array>
#include <functional>

#include "host/numbers.hpp"

namespace zav3 {
struct Main;
}

namespace zav3::scenario {

using Routine = std::function<void(Main&)>;

class RoutineTable {
 public:
  static constexpr int first = 1;
  static constexpr int last = 110;

  // Registers routine n (1..110); a later registration replaces an earlier one.
  void add(int n, Routine routine);
  bool has(int n) const;
  // Runs routine n to its end; a number without a routine does nothing.
  void run(Main& m, int n) const;

 private:
  std::array<Routine, last + 1> routines_{};
};

// Entered from the script: traces the number and runs the routine.
void specialRoutine(Main& m, host::Integer n);

}  // namespace zav3::scenario
