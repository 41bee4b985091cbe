// The game variables the combat routines share: their indexes in gameVar, gameFlag and
// shipState, named once for the whole combat subsystem, and typed access to them. Indexes one
// module uses alone stay in that module.
#pragma once

#include <cmath>

#include "shell/game_state.hpp"

namespace zav3::combat::vars {

// gameVar indexes.
inline constexpr int waveGunStateVar = 45;   // 2: the wave gun is installed
inline constexpr int fireCodeVar = 37;       // 3, 4 or 5: the fire command given
inline constexpr int speedLevelVar = 42;     // the player's speed level 1..8
inline constexpr int clockMinutesVar = 43;   // game clock, minutes
inline constexpr int driveGradeVar = 34;     // 2: the fastest drive is fitted
inline constexpr int driveStateVar = 35;     // 2: the main drive is repaired
inline constexpr int callArgVar = 47;        // argument and result of many routines
inline constexpr int resultVar = 48;         // a further result
inline constexpr int hitResultVar = 49;      // 0 missed, 1 on the shield, 2 a system, 3 shield down
inline constexpr int missionStateVar = 121;  // 5: the time of the mission ran out

// gameFlag indexes.
inline constexpr int storyFlag = 852;
inline constexpr int encounterKindFlag = 982;
inline constexpr int selectedWeaponFlag = 991;  // 1 laser, 2 plasma gun, 3 wave gun
inline constexpr int enemyStatusFlag = 992;
inline constexpr int playerStatusFlag = 993;
inline constexpr int rangeBitsFlag = 995;
inline constexpr int hitDirectionFlag = 996;
inline constexpr int partHPFirstFlag = 1320;  // partHP[p] = gameFlag[1320 + p], p = 0..18
inline constexpr int fastRepairFlag = 11;     // 1: repairs go three times as fast
inline constexpr int stepSecondsFlag = 994;   // seconds left of the current interval
inline constexpr int commandSetFlag = 997;    // 2: the guns are not offered
inline constexpr int deckDamageFlag = 998;    // deck hits in a battle, repair seconds after it
inline constexpr int shieldFlag = 1300;       // 0..1200
inline constexpr int repairFlagsFlag = 1319;  // bit 1 stop reported, bit 2 the factory mends itself
// gameFlag 1300..1340 belong to the battle: shield, system damage, repair flags, part HP.
inline constexpr int battleFlagsFirst = 1300;
inline constexpr int battleFlagsLast = 1340;

// shipState indexes: the player's and the enemy's positions, the distances both cover in one
// planning interval, the distance to the special target point.
inline constexpr int playerXState = 0;
inline constexpr int enemyXState = 4;
inline constexpr int playerStepState = 8;
inline constexpr int enemyStepState = 9;
inline constexpr int targetDistanceState = 10;

// enemyStatus bits.
inline constexpr Integer enemyDestroyed = 1;
inline constexpr Integer enemyStopped = 2;
inline constexpr Integer enemyDisarmed = 4;
inline constexpr Integer enemyNoFastTravel = 8;
inline constexpr Integer enemyNoSlowTravel = 16;
inline constexpr Integer enemyNavRadarLost = 32;
inline constexpr Integer enemyRadarLost = 64;
inline constexpr Integer enemyFastSystemsLost = 128;
inline constexpr Integer enemyCockpitDone = 256;
inline constexpr Integer enemyTurretsLost = 512;
inline constexpr Integer enemyThrusterLost = 1024;
inline constexpr Integer enemyNozzlesLost = 2048;

// playerStatus bits.
inline constexpr Integer playerLost = 1;
inline constexpr Integer playerCannotMove = 4;
inline constexpr Integer playerNoLightSpeed = 8;
inline constexpr Integer playerNavRadarLost = 32;
inline constexpr Integer playerRadarLost = 64;
inline constexpr Integer playerFastSystemsLost = 128;
inline constexpr Integer playerGunsLost = 256;
inline constexpr Integer playerOneThrusterLost = 512;
inline constexpr Integer playerTwoThrustersLost = 1024;
inline constexpr Integer playerThreeThrustersLost = 2048;
inline constexpr Integer playerAllThrustersLost = 4096;

inline Integer& encounterKind(Main& m) {
  return m.gameFlag(encounterKindFlag);
}
inline Integer& selectedWeapon(Main& m) {
  return m.gameFlag(selectedWeaponFlag);
}
inline Integer& enemyStatus(Main& m) {
  return m.gameFlag(enemyStatusFlag);
}
inline Integer& playerStatus(Main& m) {
  return m.gameFlag(playerStatusFlag);
}
inline Integer& rangeBits(Main& m) {
  return m.gameFlag(rangeBitsFlag);
}
inline Integer& hitDirection(Main& m) {
  return m.gameFlag(hitDirectionFlag);
}
inline Integer& partHP(Main& m, int part) {
  return m.gameFlag(partHPFirstFlag + part);
}
inline Integer& stepSeconds(Main& m) {
  return m.gameFlag(stepSecondsFlag);
}
inline Integer& deckDamage(Main& m) {
  return m.gameFlag(deckDamageFlag);
}
inline Integer& shield(Main& m) {
  return m.gameFlag(shieldFlag);
}
// systemDamage[s] = gameFlag[1300 + s], s = 1..12.
inline Integer& systemDamage(Main& m, int s) {
  return m.gameFlag(shieldFlag + s);
}
inline Integer& repairFlags(Main& m) {
  return m.gameFlag(repairFlagsFlag);
}

// A speed level as one of the levels 1..8; anything else reads as 1 (stopped).
inline Integer levelNumber(Double level) {
  const Double whole = std::floor(level);
  return whole >= 1 && whole <= 8 ? static_cast<Integer>(whole) : Integer{1};
}

// The navigation place the battle is fought about: Earth (3) in encounter 3, else the pirates'
// base (10).
inline int referencePlace(Main& m) {
  return encounterKind(m) == 3 ? 3 : 10;
}

// Positions of the two ships in shipState, km.
inline SpacePoint playerPosition(const Main& m) {
  return {m.shipState(playerXState), m.shipState(playerXState + 1), m.shipState(playerXState + 2)};
}
inline SpacePoint enemyPosition(const Main& m) {
  return {m.shipState(enemyXState), m.shipState(enemyXState + 1), m.shipState(enemyXState + 2)};
}

}  // namespace zav3::combat::vars
