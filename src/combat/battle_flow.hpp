// The flow of a battle, as the scenario drives it with numbered routines: the set-up (76), the
// two-second step (78), the combat commands offered (80), the fixed attacks (82), withdrawal
// (83), waiting for repairs (86), the placement at the pirates' base (87) and the reset for a
// new encounter (88). The planning phase (77), the enemy's manoeuvres (84) and the mission record
// (89) have files of their own.
#pragma once

#include "scenario/dispatcher.hpp"
#include "shell/game_state.hpp"

namespace zav3::combat {

// The planning intervals (index 0..8), seconds.
inline constexpr int intervalLast = 8;
inline constexpr Integer intervalReset = 3;  // 60 s
inline constexpr Integer stepLength = 2;     // seconds of game time per step

// intervalSeconds from the fixed list.
void fillIntervalSeconds(Main& m);
// The selected interval in seconds (an index outside the list reads as the reset one).
Long selectedInterval(Main& m);
// shipState 8 and 9: the distances the player and the enemy cover in the selected interval at
// their speed levels.
void storeDistancesPerInterval(Main& m);
// Game time passes: secondsCounter and the clock's minutes (gameVar 43) with the carry.
void advanceClock(Main& m, Long seconds);
// The plot built again and the whole tactical display redrawn.
void redrawBattle(Main& m);

void setUpBattle(Main& m);          // 76
void battleStep(Main& m);           // 78
void offerCombatCommands(Main& m);  // 80
void fixedAttack(Main& m);          // 82
void withdraw(Main& m);             // 83
void waitForRepairs(Main& m);       // 86
void placeAtBase(Main& m);          // 87
void resetEncounter(Main& m);       // 88

// Routines 76, 78, 80, 82, 83, 86, 87, 88.
void registerBattleFlowRoutines(scenario::RoutineTable& table);

}  // namespace zav3::combat
