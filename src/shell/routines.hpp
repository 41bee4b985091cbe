// The list of subsystems that register numbered special routines.
#pragma once

#include "scenario/dispatcher.hpp"

namespace zav3::shell {

// Each subsystem adds its routines; the table is filled once when a game is built.
void registerAllRoutines(scenario::RoutineTable& table);

}  // namespace zav3::shell
