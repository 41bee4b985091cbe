// The special routine dispatcher: numbered game routines 1..110 registered by the subsystems
// that own them, run from SP records, conditions and choice options.
#pragma once

#include <array>
#include <bitset>
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
  // Numbers of the routine table that have a routine of their own: 1..110 but 35.
  static bool isRoutineNumber(int n) { return n >= first && n <= last && n != 35; }
  // Runs routine n to its end; a number without a routine does nothing.
  void run(Main& m, int n) const;
  // True the first time it is asked about n: a missing routine is reported once per run.
  bool firstReportOfMissing(int n);

 private:
  std::array<Routine, last + 1> routines_{};
  std::bitset<last + 1> reported_;
};

// Entered from the script: traces the number and runs the routine.
void specialRoutine(Main& m, host::Integer n);

}  // namespace zav3::scenario
