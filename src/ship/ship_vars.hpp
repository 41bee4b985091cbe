// The game variables that several ship routines read and write: their indexes in gameVar,
// gameFlag and shipState, named once for the whole ship subsystem. Indexes one module uses
// alone stay in that module.
#pragma once

namespace zav3::ship::vars {

// gameVar indexes.
inline constexpr int heroinePlaceVar = 1;
inline constexpr int crewThreePlaceVar = 16;
inline constexpr int crewThreeDutyVar = 17;
inline constexpr int driveGradeVar = 34;
inline constexpr int driveStateVar = 35;
inline constexpr int courseTargetVar = 36;
inline constexpr int receiverTargetVar = 38;
inline constexpr int speedLevelVar = 42;
inline constexpr int waveGunStateVar = 45;
inline constexpr int waveGunDoneVar = 46;
// Bit set of the people at the heroine's place: bit 1 the heroine, bit 2^i crew member i.
inline constexpr int presentBitsVar = 54;
// crewOnDutyBits: bit set of the people on the bridge (bit 2^i crew member i).
inline constexpr int crewOnDutyBitsVar = 71;
inline constexpr int radarJobVar = 84;
inline constexpr int heroineActivityVar = 85;
// The visit selector of the room menus, and the present set after the canteen's adjustments.
inline constexpr int visitSelectorVar = 108;
inline constexpr int arrivalCodeVar = 109;
inline constexpr int eventBitsVar = 110;

// gameFlag indexes.
inline constexpr int broadcastStoryFlag = 950;
inline constexpr int activityStartFlag = 951;
inline constexpr int thirdRepairLeftFlag = 962;
inline constexpr int stageFlag = 982;
// The heroine's needs: felt, and met since the visiting cycle began.
inline constexpr int needsOpenFlag = 1508;
inline constexpr int needsMetFlag = 1509;

// shipState indexes.
inline constexpr int shipSpeedState = 3;

}  // namespace zav3::ship::vars
