// Hourly crew activity: one step of the five crew members' places, duties and activities by the
// clock and the random generator (routine 29), a random activity for crew member 3 (46) and the
// activity step of crew members 1 and 3 alone (47).
#pragma once

#include "scenario/dispatcher.hpp"

namespace zav3 {
struct Main;
}

namespace zav3::ship {

void hourlyCrewActivity(Main& m);    // 29
void crewThreeActivity(Main& m);     // 46
void crewOneThreeActivity(Main& m);  // 47

void registerCrewActivity(scenario::RoutineTable& table);

}  // namespace zav3::ship
