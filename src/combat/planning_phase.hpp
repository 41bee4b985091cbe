// The planning phase of a battle (routine 77): the strategy panel FORM3 shown with the speed
// list and the weapon list rebuilt from the damage, and the player's actions on it handled by
// their event codes (view, radar scale, interval, course by the radar plot, the elevation gauge
// or a track point of the enemy, speed, display switches, weapon reach) until the plan is
// accepted (BUTTON8) or discarded (BUTTON9).
#pragma once

#include <vector>

#include "scenario/dispatcher.hpp"
#include "shell/game_state.hpp"

namespace zav3::combat {

// The items of the speed list: levels 1 .. the highest the damage allows.
std::vector<Bytes> speedListItems(Main& m);
// The weapons the weapon list offers (1 laser, 2 plasma gun, 3 wave gun), in its order.
std::vector<Integer> weaponsOffered(Main& m);

// Routine 77: callArg := 7 (accepted) or 8 (discarded).
void planningPhase(Main& m);

void registerPlanningRoutines(scenario::RoutineTable& table);

}  // namespace zav3::combat
