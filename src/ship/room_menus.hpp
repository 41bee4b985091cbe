// The place menu, the room menus and the crew counters (routines 69, 70, 72, 74, 75, 91 and
// 92): which destinations and room items the next choice list offers, the names and costumes of
// a visit, the counters moved by the time passed, and the packed entry of the entry tree.
#pragma once

#include "scenario/dispatcher.hpp"

namespace zav3 {
struct Main;
}

namespace zav3::ship {

void destinationMenu(Main& m);    // 69
void stopClockRunning(Main& m);   // 70
void visitNames(Main& m);         // 72: only when the course is place 6
void crewCounters(Main& m);       // 74
void roomMenu(Main& m);           // 75: by callArg 1, 2 or above
void unpackEntry(Main& m);        // 91: gameFlag(gameFlag(1350)) into 1351..1353
void packEntryAndDecay(Main& m);  // 92: packed again; the counters decay by single factors

void registerRoomMenus(scenario::RoutineTable& table);

}  // namespace zav3::ship
