// The game variables that several ship routines read and write: their indexes in gameVar,
// gameFlag and shipState, named once for the whole ship subsystem. Indexes one module uses
// alone stay in that module.
#pragma once

namespace zav3::ship::vars {

// gameVar indexes.
inline constexpr int crewThreePlaceVar = 16;
inline constexpr int crewThreeDutyVar = 17;
inline constexpr int driveGradeVar = 34;
inline constexpr int driveStateVar = 35;
inline constexpr int courseTargetVar = 36;
inline constexpr int receiverTargetVar = 38;
inline constexpr int speedLevelVar = 42;
inline constexpr int waveGunStateVar = 45;
inline constexpr int waveGunDoneVar = 46;
inline constexpr int crewJobBitsCopyVar = 71;
inline constexpr int radarJobVar = 84;
inline constexpr int arrivalCodeVar = 109;
inline constexpr int eventBitsVar = 110;

// gameFlag indexes.
inline constexpr int broadcastStoryFlag = 950;
inline constexpr int stageFlag = 982;

// shipState indexes.
inline constexpr int shipSpeedState = 3;

}  // namespace zav3::ship::vars
