// The game variables the combat routines share: their indexes in gameVar, gameFlag and
// shipState, named once for the whole combat subsystem, and typed access to them. Indexes one
// module uses alone stay in that module.
#pragma once

#include "shell/game_state.hpp"

namespace zav3::combat::vars {

// gameVar indexes.
inline constexpr int waveGunStateVar = 45;  // 2: the wave gun is installed
inline constexpr int fireCodeVar = 37;      // 3, 4 or 5: the fire command given
inline constexpr int speedLevelVar = 42;    // the player's speed level 1..8
inline constexpr int clockMinutesVar = 43;  // game clock, minutes

// gameFlag indexes.
inline constexpr int storyFlag = 852;
inline constexpr int encounterKindFlag = 982;
inline constexpr int selectedWeaponFlag = 991;  // 1 laser, 2 plasma gun, 3 wave gun
inline constexpr int enemyStatusFlag = 992;
inline constexpr int playerStatusFlag = 993;
inline constexpr int rangeBitsFlag = 995;
inline constexpr int hitDirectionFlag = 996;
inline constexpr int partHPFirstFlag = 1320;  // partHP[p] = gameFlag[1320 + p], p = 0..18

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

// playerStatus bits read by the display.
inline constexpr Integer playerNavRadarLost = 32;
inline constexpr Integer playerRadarLost = 64;

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

// Positions of the two ships in shipState, km.
inline SpacePoint playerPosition(const Main& m) {
  return {m.shipState(playerXState), m.shipState(playerXState + 1), m.shipState(playerXState + 2)};
}
inline SpacePoint enemyPosition(const Main& m) {
  return {m.shipState(enemyXState), m.shipState(enemyXState + 1), m.shipState(enemyXState + 2)};
}

}  // namespace zav3::combat::vars
