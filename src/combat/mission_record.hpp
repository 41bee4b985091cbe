// The mission record (routine 89): the play's record written into COPYRIGHT.TXT, then the
// picture "mission" shown with badges for what the record says.
#pragma once

#include <vector>

#include "scenario/dispatcher.hpp"
#include "shell/game_state.hpp"

namespace zav3::combat {

// A badge of the mission picture: its text and its colour (r + 256 g + 65536 b).
struct MissionBadge {
  Bytes text;
  host::GameColour colour = 0;
  bool operator==(const MissionBadge&) const = default;
};

// The badges the game state earns, in the order they are shown: the planet episode (gameFlag
// 980), the result against the enemy (gameFlag 992), an unfinished mission (gameVar 121 0 or 5),
// the fastest drive (gameVar 34 = 2) and the special result of the story (bit 32 of gameFlag
// 852).
std::vector<MissionBadge> missionBadges(const Main& m);

// Draws the picture "mission" on the scene area of PICTURE1 with the badges and, when the
// record was written, its number (`ordinal`, from 1).
void drawMissionPicture(Main& m, int ordinal);

// Routine 89.
void missionRecord(Main& m);

void registerMissionRecordRoutines(scenario::RoutineTable& table);

}  // namespace zav3::combat
