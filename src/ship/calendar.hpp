// The game clock: minutes since day 1 00:00 in gameVar 43, its split into day, hour and minute,
// the texts that show it, and the clock routines 4, 16, 31, 48, 57, 63 and 73.
#pragma once

#include "host/numbers.hpp"
#include "host/sjis.hpp"
#include "scenario/dispatcher.hpp"

namespace zav3 {
struct Main;
}

namespace zav3::ship {

using host::Bytes;
using host::Integer;
using host::Long;
using host::Single;

// Indexes of the clock in gameVar.
inline constexpr int clockMinutesVar = 43;
inline constexpr int clockDayVar = 44;
inline constexpr int callArgVar = 47;
inline constexpr int minutesPerDay = 1440;
inline constexpr int minutesPerHour = 60;

// Day (from 1), hour and minute of a minute count. The minute keeps any fraction of the count.
struct ClockParts {
  Long day = 1;
  Long hour = 0;
  Single minute = 0;
};

// Splits a minute count; the count itself is not changed.
ClockParts splitClock(Single minutes);
ClockParts splitClock(const Main& m);  // of clockMinutes

// "６月" + D + "日、" + H + "時、" + M + "分", numbers in full width.
Bytes dateTimeText(const ClockParts& parts);
// D + "日" + H + "時", numbers in full width.
Bytes dayHourText(Long day, Long hour);
// Origin of a broadcast from place p (3..9) on day D in slot s (0..10): `name` := the origin
// name (left as it was for any other p), `text` := D + "日、午前" or "日、午後" + hour + "時".
void broadcastOriginText(Integer place, Integer day, Integer slot, Bytes& name, Bytes& text);
// Hour (12-hour clock) of broadcast slot s: 0, 6..9, 0, 3, 6..9.
Integer broadcastSlotHour(Integer slot);

// The clock routines, also reachable by number through the routine table.
void officeHoursFlag(Main& m);   // 4
void dateReport(Main& m);        // 16
void hourMenu(Main& m);          // 31
void timeLeftReport(Main& m);    // 48
void broadcastOrigins(Main& m);  // 57
void setClock(Main& m);          // 63
void hourWindow(Main& m);        // 73

void registerCalendarRoutines(scenario::RoutineTable& table);

}  // namespace zav3::ship
