// The enemy ship's behaviour: its six waypoints about the starting point, its speed limit by the
// damage it took, and its manoeuvre between two intervals (routine 84): chasing the player when
// near, else heading for a waypoint, planning again after a few turns.
#pragma once

#include "scenario/dispatcher.hpp"
#include "shell/game_state.hpp"

namespace zav3::combat {

// enemyWaypoints: 100000 km from the enemy's position at azimuth 0, 90, 180 and 270 at elevation
// 0, straight up and straight down.
void computeEnemyWaypoints(Main& m);

// The enemy's highest speed level: 7; 6 in encounter 3; 4 when it cannot travel fast; 1 when it
// is stopped or can travel neither fast nor slowly.
Integer enemyMaxLevel(Main& m);

// Routine 84: the enemy plans its course and speed for the next interval (nothing once it is
// destroyed). A changed course sets gameVar 48 to 2, with the new elevation in replyText 2 and
// the azimuth in replyText 1.
void enemyManoeuvre(Main& m);

void registerEnemyMoveRoutines(scenario::RoutineTable& table);

}  // namespace zav3::combat
