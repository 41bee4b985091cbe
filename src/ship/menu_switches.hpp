// Ship-mode menu switches: the items the ship menus offer by the story state, the sleep setting
// and the entry tree menu (routines 1, 3, 34, 36, 37, 38, 39, 93 and 94). Each routine sets
// choiceMask for the next choice list (0 offers an item, 1 hides it).
#pragma once

#include "scenario/dispatcher.hpp"

namespace zav3 {
struct Main;
}

namespace zav3::ship {

void shipMenu(Main& m);         // 1
void shipMenuOnVisit(Main& m);  // 3
void roomStoryMenu(Main& m);    // 34
void cabinMenu(Main& m);        // 36
void sleepSetting(Main& m);     // 37: gameVar 97 := hours x 60, gameVar 100 from callArg
void restMenu(Main& m);         // 38
void crewMemberMenu(Main& m);   // 39: offers the crew present, or turns the choice into its bit
void entryTreeMenu(Main& m);    // 93: the entries of group gameFlag(1359) available here
void roomVariantMenu(Main& m);  // 94

void registerMenuSwitches(scenario::RoutineTable& table);

}  // namespace zav3::ship
