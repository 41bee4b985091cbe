// Shields and damage to the player's ship: the enemy's hits on the shield and on the twelve ship
// systems, playerStatus and the maximum speed level worked out from the damage, the automatic
// repair step and the status picture (routine 85).
#pragma once

#include "scenario/dispatcher.hpp"
#include "shell/game_state.hpp"

namespace zav3::combat {

inline constexpr int systemCount = 12;       // systems 1..12
inline constexpr Integer shieldFull = 1200;  // 100 per cent
inline constexpr Integer damageCap = 3599;   // a system's damage never exceeds this

// The ship's systems.
inline constexpr int laserSystem = 1;
inline constexpr int plasmaSystem = 2;
inline constexpr int navRadarSystem = 3;
inline constexpr int radarSystem = 4;
inline constexpr int factorySystem = 5;
inline constexpr int firstThruster = 9;  // 9..12

// systemName from the fixed list of twelve; called when a battle is set up.
void loadSystemNames(Main& m);

// The enemy's hit with damage value `damage`: the draw whether it hits (a `closeRange` attack
// always does, and spares the navigation radar and systems 6..9), the shield, and what gets
// through onto a system drawn at random; the report in replyText 0. Leaves hitResult in gameVar
// 49 and returns it.
Integer enemyHit(Main& m, Double damage, bool closeRange = false);

// playerStatus from systemDamage (replyText 1 cleared first; the factory's stop reported once in
// replyText 0).
void recomputePlayerStatus(Main& m);

// The highest speed level playerStatus and the drive (gameVar 34, 35) allow.
Integer maxSpeedLevel(Main& m);
// Lowers speedLevel to that maximum; then the player's distance per interval is worked out
// again.
void applySpeedLimit(Main& m);

// One automatic repair step: the systems while the factory works, the factory itself when it
// mends itself, and 8 of shield.
void repairStep(Main& m);

// The status picture: the shield bar and a bar per damaged system on modelBitmap, copied onto
// PICTURE1 at (50, 35).
void drawStatusPicture(Main& m);

// Routine 85 (the status picture).
void registerPlayerDamageRoutines(scenario::RoutineTable& table);

}  // namespace zav3::combat
