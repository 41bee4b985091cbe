// Crew whereabouts, skip mode and the switch panel (routines 102 to 110): the blip file's sound
// cues, the crew report in reply slots 2..6, skip mode with its log, the line pause, and the
// switch-panel puzzle, whose answer is left in gameVar 47.
#pragma once

#include "scenario/dispatcher.hpp"

namespace zav3 {
struct Main;
}

namespace zav3::ship {

void soundCue(Main& m);          // 102: a byte range of CAPI.WAV chosen by gameVar 129
void crewWhereabouts(Main& m);   // 103
void skipModeOn(Main& m);        // 104: gameVar 132 := gameVar 48 hours; the log opened anew
void skipModeOff(Main& m);       // 105
void linePauseOn(Main& m);       // 106
void linePauseOff(Main& m);      // 107
void switchPanelStart(Main& m);  // 108: every switch off; CONCENT into P15
// 109: presses the switch of choice gameVar 37; gameVar 47 := 1 key set made, 2 key set broken,
// 3 solved, 4 refused (five switches are on already), else 0.
void pressSwitch(Main& m);
void drawSwitchPanel(Main& m);  // 110: the buttons and lamps on PICTURE1

void registerCrewWhereabouts(scenario::RoutineTable& table);

}  // namespace zav3::ship
