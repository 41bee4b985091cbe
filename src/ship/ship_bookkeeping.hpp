// Ship-mode bookkeeping: the coded events met, the event level and the repair alarm, who is
// where, the hours passed, the ship song, the radar-room job, the save request and prompt, the
// jobs found running and the value stack (routines 23, 24, 25, 27, 32, 49, 50, 51, 52, 53, 56,
// 58, 59, 60, 62, 64, 97 and 98).
#pragma once

#include "scenario/dispatcher.hpp"

namespace zav3 {
struct Main;
}

namespace zav3::ship {

// Stops the clock-running switch: the periodic timer event that start-up switched on is
// switched off (routines 50 and 70).
void clearClockRunning(Main& m);

void recordEventMet(Main& m);          // 23: "met" bit; codes from 330 on go into the table
void recordEventSeen(Main& m);         // 24: the same with the second bit and value
void clearResultWhenFlagSet(Main& m);  // 25
void setResultWhenNotKept(Main& m);    // 27
void radarRoomJob(Main& m);            // 32: crew member 1 to the radar room for gameVar 37 hours
void requestSave(Main& m);             // 49
void savePrompt(Main& m);              // 50: the save list when routine 49 asked for it
void jobsFoundRunning(Main& m);        // 51
void popValue(Main& m);                // 53: callArg := the value on top of the stack
void eventLevel(Main& m);              // 56
void repairAlarm(Main& m);             // 58
void hoursPassed(Main& m);             // 60
void whoIsWhere(Main& m);              // 62: the people at each place and at the heroine's
void item4Switch(Main& m);             // 64
void addActivity21Crew(Main& m);       // 97
void shipSong(Main& m);                // 98: song 2 on the bridge, else 3

void registerShipBookkeeping(scenario::RoutineTable& table);

}  // namespace zav3::ship
