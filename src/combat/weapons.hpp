// The player's weapons against the enemy ship: the enemy's part table, the hit table by
// direction, the aiming (direction code, range bits and firing cone) and the three weapons
// (laser, plasma gun, wave gun) with their messages and the consequences of destroyed parts
// (routines 79 and 81).
#pragma once

#include <array>

#include "scenario/dispatcher.hpp"
#include "shell/game_state.hpp"

namespace zav3::combat {

inline constexpr int partCount = 19;  // parts 0..18

// The ten candidate parts of direction code `code` (10 x band + sector), or null when the code
// is none of the table's forty.
const std::array<Integer, 10>* hitTableRow(Integer code);

// The direction code of a point (x, y, z) in the enemy's own frame (nose along +x).
Integer directionCode(Double x, Double y, Double z);

// partHP and partName from the fixed list of nineteen parts; called when a battle is set up.
void loadPartTable(Main& m);

// Once per turn after both ships moved: enemyDistance, hitDirection and hitRow, and rangeBits
// (0 when the enemy lies outside the firing cone of the player's course).
void aimEnemy(Main& m);

// The fire command in fireCode (gameVar 37: 3 laser, 4 plasma gun, 5 wave gun): sound cue,
// the weapon's effect on the enemy, the report in replyText 0 and the consequence in
// replyText 1.
void fireWeapon(Main& m);

// Routines 79 (aimEnemy) and 81 (fireWeapon).
void registerWeaponRoutines(scenario::RoutineTable& table);

}  // namespace zav3::combat
