// The game clock and its routines: the split into day, hour and minute, the date, hour and
// broadcast-origin texts, office hours, the hour menu, the time-left report, setting the clock
// from a packed value and the hour window / wait for an hour.
#include "ship/calendar.hpp"

#include <algorithm>

#include "shell/game_state.hpp"
#include "ship/ship_vars.hpp"

namespace zav3::ship {

namespace {

using namespace vars;
using host::fullWidthNumber;
using host::intDivide;
using host::intRemainder;
using host::sj;

// gameVar / gameFlag indexes of this module.
constexpr int windowEndVar = 48;
constexpr int resultVar = 49;
constexpr int originCodeVar = 125;
constexpr int packedClockVar = 133;
constexpr int officeHoursFlagIndex = 1535;

constexpr Single wavegunFittingMinutes = 1200;

// A 16-bit integer result; error 6 when it does not fit.
Integer integerResult(long value) {
  return host::toInteger(static_cast<double>(value));
}

}  // namespace

ClockParts splitClock(Single minutes) {
  ClockParts parts;
  parts.day = 0;
  Single rest = minutes;
  if (rest >= minutesPerDay) {
    parts.day = intDivide(rest, minutesPerDay);
    rest = rest - static_cast<Single>(minutesPerDay) * static_cast<Single>(parts.day);
  }
  if (rest >= minutesPerHour) {
    parts.hour = intDivide(rest, minutesPerHour);
    rest = rest - static_cast<Single>(minutesPerHour) * static_cast<Single>(parts.hour);
  }
  parts.minute = rest;
  parts.day += 1;
  return parts;
}

ClockParts splitClock(const Main& m) {
  return splitClock(m.gameVar(clockMinutesVar));
}

Bytes dateTimeText(const ClockParts& parts) {
  return sj("６月") + fullWidthNumber(parts.day) + sj("日、") + fullWidthNumber(parts.hour) +
         sj("時、") + fullWidthNumber(parts.minute) + sj("分");
}

Bytes dayHourText(Long day, Long hour) {
  return fullWidthNumber(day) + sj("日") + fullWidthNumber(hour) + sj("時");
}

Integer broadcastSlotHour(Integer slot) {
  if (slot >= 1 && slot <= 4) return static_cast<Integer>(slot + 5);
  if (slot == 6) return 3;
  if (slot >= 7 && slot <= 10) return static_cast<Integer>(slot - 1);
  return 0;  // slots 0 and 5: midnight and noon
}

void broadcastOriginText(Integer place, Integer day, Integer slot, Bytes& name, Bytes& text) {
  const Integer hour = broadcastSlotHour(slot);
  text = fullWidthNumber(day) + (slot < 5 ? sj("日、午前") : sj("日、午後")) +
         fullWidthNumber(hour) + sj("時");
  switch (place) {
    case 3:
      name = sj("中央ステーション");
      break;
    case 4:
      name = sj("火星");
      break;
    case 5:
      name = sj("木星のガニメデ");
      break;
    case 6:
      name = sj("土星のタイタン");
      break;
    case 7:
      name = sj("天王星のチタニア");
      break;
    case 8:
      name = sj("海王星のトリトン");
      break;
    case 9:
      name = sj("冥王星");
      break;
    default:
      break;  // the name stays as it was
  }
}

void officeHoursFlag(Main& m) {
  if (m.gameVar(waveGunStateVar) != 1) return;
  const ClockParts now = splitClock(m);
  m.gameFlag(officeHoursFlagIndex) = (now.hour >= 9 && now.hour < 17) ? 1 : 0;
}

void dateReport(Main& m) {
  m.replyText(1) = dateTimeText(splitClock(m));
}

void hourMenu(Main& m) {
  for (int option = 1; option <= 7; ++option) m.choiceMask(option) = 1;
  const ClockParts now = splitClock(m);
  // Options 1 .. 16 - H are offered; the counted loop offers option 1 even when the bound is
  // below 1. The choice list has ten options at most.
  const long lastShown = std::min<long>(std::max<long>(16 - now.hour, 1), m.choiceMask.last());
  for (long option = 1; option <= lastShown; ++option) m.choiceMask(option) = 0;
}

void timeLeftReport(Main& m) {
  Single left = wavegunFittingMinutes - m.gameVar(waveGunDoneVar);
  if (m.gameVar(radarJobVar) == 1) {
    m.gameVar(resultVar) = 1;
    left = static_cast<Single>(intDivide(left, 2));
  } else {
    m.gameVar(resultVar) = 0;
  }
  Bytes text;
  if (left > minutesPerHour) {
    const Long hours = intDivide(left, minutesPerHour);
    left = left - static_cast<Single>(minutesPerHour) * static_cast<Single>(hours);
    text = fullWidthNumber(hours) + sj("時間");
    if (left > 0) text += fullWidthNumber(left) + sj("分");
  } else {
    text = fullWidthNumber(left) + sj("分");
  }
  m.replyText(0) = text;
}

void broadcastOrigins(Main& m) {
  const Integer secondDay = m.gameFlag(1542);
  const Integer secondSlot = m.gameFlag(1543);
  const Integer secondPlace = m.gameFlag(1541);
  const Integer dayPart = integerResult(integerResult(secondDay - 1L) * 110L);
  const Integer slotPart = integerResult(secondSlot * 10L);
  m.gameVar(originCodeVar) = integerResult(integerResult(dayPart + static_cast<long>(slotPart)) +
                                           static_cast<long>(secondPlace));
  broadcastOriginText(m.gameFlag(1538), m.gameFlag(1539), m.gameFlag(1540), m.replyText(0),
                      m.replyText(1));
  broadcastOriginText(secondPlace, secondDay, secondSlot, m.replyText(2), m.replyText(3));
}

void setClock(Main& m) {
  const Single packed = m.gameVar(packedClockVar);
  if (packed > 10000) {
    m.gameVar(clockDayVar) = static_cast<Single>(intDivide(packed, 10000));
    const Long rest = intRemainder(packed, 10000);
    const Long hours = intDivide(rest, 100);
    const Long minutes = intRemainder(rest, 100);
    m.gameVar(clockMinutesVar) = (m.gameVar(clockDayVar) - 1) * minutesPerDay +
                                 static_cast<Single>(hours * minutesPerHour + minutes);
  }
  m.gameVar(packedClockVar) = 0;
}

void hourWindow(Main& m) {
  const Single a = m.gameVar(callArgVar);
  const Single b = m.gameVar(windowEndVar);
  const ClockParts now = splitClock(m);
  const Single hour = static_cast<Single>(now.hour);
  const Single todayAt = static_cast<Single>(now.day - 1) * minutesPerDay + minutesPerHour * a;
  const Single tomorrowAt = static_cast<Single>(now.day) * minutesPerDay + minutesPerHour * a;
  if (a != b) {
    m.gameVar(resultVar) = 0;
    if (a < b) {
      if (a <= hour && hour <= b) m.gameVar(resultVar) = 1;
    } else if (hour >= a || hour <= b) {
      m.gameVar(resultVar) = 1;
    }
    return;
  }
  if (m.gameVar(resultVar) == 0 && hour == a) m.gameVar(resultVar) = 1;
  if (m.gameVar(resultVar) == 1) {
    if (hour < a) {
      m.gameVar(clockMinutesVar) = todayAt;
    } else if ((hour == a && now.minute > 0) || hour > a) {
      m.gameVar(clockMinutesVar) = tomorrowAt;
    }
  }
  if (m.gameVar(resultVar) == 2) m.gameVar(clockMinutesVar) = todayAt;
}

void registerCalendarRoutines(scenario::RoutineTable& table) {
  table.add(4, officeHoursFlag);
  table.add(16, dateReport);
  table.add(31, hourMenu);
  table.add(48, timeLeftReport);
  table.add(57, broadcastOrigins);
  table.add(63, setClock);
  table.add(73, hourWindow);
}

}  // namespace zav3::ship
