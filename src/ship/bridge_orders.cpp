// Bridge orders: speed order and its refusals, speed menu filter, course and speed report,
// receiver check, broadcast schedule and reception check, receiver log, wait for a broadcast,
// catch-up reception, work order and the waiting-time reports.
#include "ship/bridge_orders.hpp"

#include <array>

#include "combat/vector_math.hpp"
#include "shell/game_state.hpp"
#include "ship/calendar.hpp"
#include "ship/ship_vars.hpp"
#include "ship/travel.hpp"

namespace zav3::ship {

namespace {

using namespace vars;
using host::fullWidthNumber;
using host::sj;

// gameVar indexes of this module.
constexpr int orderArgVar = 37;
constexpr int catchUpEndVar = 48;
constexpr int catchUpLeftVar = 49;
constexpr int jobOneDoneVar = 50;  // 50..53: work counters of jobs 1 and 2 and their idle counters
constexpr int jobOneIdleVar = 51;
constexpr int jobTwoDoneVar = 52;
constexpr int jobTwoIdleVar = 53;
constexpr int logEntryVar = 62;
constexpr int broadcastCountVar = 83;
constexpr int catchUpStartVar = 120;

// gameFlag indexes of this module.
constexpr int broadcastLogNextFlag = 860;
constexpr int speedFilterFlag = 993;
constexpr int broadcastLogFirst = 1300;
constexpr int broadcastLogLast = 1319;
constexpr int logReadIndexFlag = 1532;

constexpr int broadcastLogSize = 20;
constexpr Single crewThreeBit = 8;
constexpr Double broadcastSeconds = 180;
constexpr Single minutesPerStep = 3;

struct SpeedRow {
  Double speed;           // km per game minute
  const char* orderName;  // UTF-8
  const char* report;     // UTF-8; empty for the levels reported by their speed
};

constexpr std::array<SpeedRow, 8> speedRows{{
    {0, "停止", "止まっています。"},
    {1, "微速前進", ""},
    {60, "前進", ""},
    {3600, "巡航速度", ""},
    {280569.40625, "光速の６４分の１", "光速の６４分の１で航行中です。"},
    {561138.8125, "光速の３２分の１", "光速の３２分の１で航行中です。"},
    {1122277.5, "光速の１６分の１", "光速の１６分の１で航行中です。"},
    {2244555.0, "光速の８分の１", "光速の８分の１で航行中です。"},
}};

// Distance a level covers in one travel step; the speed menu offers a level only beyond it.
constexpr std::array<Double, 8> stepReach{0,         3,         180,       10800,
                                          841708.25, 1683416.5, 3366832.5, 6733665};

// Filter bits of the speed menu.
constexpr Integer noSlowSpeeds = 4;    // set: levels 2..4 stay hidden
constexpr Integer noLightSpeeds = 12;  // either set: levels 5..8 stay hidden
constexpr Integer hideFastest = 512;
constexpr Integer hideSecondFastest = 2048;
constexpr Integer hideKilometreSpeeds = 4096;  // the km-per-hour levels and the slowest light one

Single& var(Main& m, int i) {
  return m.gameVar(i);
}
Integer& flag(Main& m, int i) {
  return m.gameFlag(i);
}

// Level 1..8 when `level` is one of them, else 0.
int wholeLevel(Single level) {
  for (int i = stoppedLevel; i <= lastSpeedLevel; ++i) {
    if (level == static_cast<Single>(i)) return i;
  }
  return 0;
}

const SpeedRow& rowOf(Single level) {
  const int i = wholeLevel(level);
  return speedRows[static_cast<std::size_t>((i == 0 ? stoppedLevel : i) - 1)];
}

SpacePoint shipPosition(const Main& m) {
  return {m.shipState(0), m.shipState(1), m.shipState(2)};
}

Bytes placeNameOf(Main& m, Single place) {
  return m.placeName(asIndex(place));
}

// Reply for the waiting-time reports.
Bytes waitingText(Single minutes) {
  const Single seconds = 60 * minutes;
  return seconds >= 60 ? durationText(seconds) : sj("０分");
}

// Code under which the records screen finds a logged broadcast.
Long logCode(Main& m, Long p, Long day, Long slot, LogForms forms) {
  if (day < 10) return 1000 + (day - 1) * 110 + slot * 10 + p;
  if (p == earthPlace) {
    if (day == 11) var(m, broadcastCountVar) = 0;
    return 2660 + (day - 10) * 11 + slot;
  }
  if (forms == LogForms::catchUp) return 1000 + (day - 1) * 110 + slot * 10 + p;
  if (slot == 0) return 3240 + p;
  if (p == 9) return slot == 1 ? 3240 : 3241;
  return 3250 + p;
}

}  // namespace

Double levelSpeed(Single level) {
  return rowOf(level).speed;
}

Bytes levelOrderName(Single level) {
  return sj(rowOf(level).orderName);
}

Bytes levelReportText(int level) {
  if (level < stoppedLevel || level > lastSpeedLevel) return {};
  const SpeedRow& row = speedRows[static_cast<std::size_t>(level - 1)];
  if (*row.report != '\0') return sj(row.report);
  return sj("時速") + fullWidthNumber(row.speed * 60) + sj("Ｋｍで航行中です。");
}

int broadcastSlot(Long hour) {
  if (hour == 0) return 0;
  if (hour >= 6 && hour <= 9) return hour - 5;
  if (hour == 12) return 5;
  if (hour == 15) return 6;
  if (hour >= 18 && hour <= 21) return hour - 11;
  return -1;
}

Reception receiverCheck(Main& m, const SpacePoint& from, Long p, Single targetTime) {
  m.receivedFlag = 0;
  Reception found;
  const Double delay = lightDelay(distanceFromPoint(m, from, p));
  Double s = static_cast<Double>(targetTime) * 60 - delay;
  if (s < 0) return found;
  Long day = 0;
  Long hour = 0;
  if (s >= 86400) {
    day = host::intDivide(s, 86400);
    s -= static_cast<Double>(day) * 86400;
  }
  if (s >= 3600) {
    hour = host::intDivide(s, 3600);
    s -= static_cast<Double>(hour) * 3600;
  }
  day += 1;
  if (s <= broadcastSeconds && broadcastSlot(hour) >= 0) {
    m.receivedFlag = 1;
    found = {true, day, hour};
  }
  return found;
}

void writeReceiverLog(Main& m, Long p, const Reception& r, LogForms forms) {
  Single& count = var(m, broadcastCountVar);
  count += 1;
  if (count == broadcastLogSize + 1) {
    count = broadcastLogSize;
    for (int i = broadcastLogFirst + 1; i <= broadcastLogLast; ++i) flag(m, i - 1) = flag(m, i);
    flag(m, broadcastLogNextFlag) = broadcastLogLast;
  }
  const int slot = broadcastSlot(r.hour);
  const Long code = logCode(m, p, r.day, slot, forms);
  Integer& next = flag(m, broadcastLogNextFlag);
  m.gameFlag(next) = host::toInteger(code);
  next = host::toInteger(next + 1.0);
  if (forms == LogForms::travel && flag(m, broadcastStoryFlag) == 0 && slot == 0 &&
      p == earthPlace && r.day >= 5 && r.day <= 10) {
    flag(m, broadcastStoryFlag) = 1;
  }
}

void readLogEntry(Main& m) {
  var(m, logEntryVar) = m.gameFlag(broadcastLogFirst + flag(m, logReadIndexFlag));
}

void waitForBroadcast(Main& m) {
  m.workPos = shipPosition(m);
  const Long p = asIndex(var(m, callArgVar));
  m.replyText(1) = m.placeName(p);
  const Single start = var(m, clockMinutesVar);
  Single t = start;
  Reception found;
  for (;;) {
    found = receiverCheck(m, m.workPos, p, t);
    if (found.received) break;
    const Long target = asIndex(var(m, courseTargetVar));
    if (m.shipState(shipSpeedState) * 3 < distanceToPlace(m, target)) {
      headingToPlace(m, target);
      stepMove(m);
    }
    t += minutesPerStep;
  }
  m.replyText(2) = dayHourText(found.day, found.hour);
  m.replyText(3) = fullWidthNumber(t - start) + sj("分");
  var(m, callArgVar) += 1;
  m.receivedFlag = 0;
}

void checkReceiver(Main& m) {
  const Bytes name = placeNameOf(m, var(m, receiverTargetVar));
  if (var(m, receiverTargetVar) == var(m, courseTargetVar)) {
    m.replyText(1) = name + sj("です。");
  } else {
    m.replyText(1) =
        sj("設定は") + name + sj("ですが、艦首がその方向に@*向いていない為、受信できません。");
  }
}

void nameCourse(Main& m) {
  m.replyText(0) = placeNameOf(m, var(m, courseTargetVar));
}

void speedOrder(Main& m) {
  const Single order = var(m, orderArgVar);
  m.replyText(1) = levelOrderName(order);
  m.replyText(2) = "";
  if (order == var(m, speedLevelVar)) {
    m.replyText(2) =
        order == stoppedLevel ? sj("もう停止していますが？") : sj("すでにその速度ですが？");
  }
  if (var(m, driveStateVar) == 1 && order >= 5) m.replyText(2) = sj("修理中なので無理です。");
  if (var(m, driveStateVar) == 0 && order == 7) m.replyText(2) = sj("故障中なので無理です。");
  if (!m.replyText(2).empty()) return;
  var(m, speedLevelVar) = order;
  m.replyText(2) = sj("了解！");
  m.shipState(shipSpeedState) = levelSpeed(order);
}

void courseAndSpeedReport(Main& m) {
  m.replyText(1) = placeNameOf(m, var(m, courseTargetVar)) + sj("に向けて");
  const int level = wholeLevel(var(m, speedLevelVar));
  if (level != 0) m.replyText(2) = levelReportText(level);
}

void workOrder(Main& m) {
  const Single order = var(m, orderArgVar);
  if (order == 5) {
    var(m, crewThreePlaceVar) = 11;
    var(m, crewThreeDutyVar) = 11;
    var(m, driveStateVar) = 1;
    var(m, presentBitsVar) -= crewThreeBit;
    var(m, crewOnDutyBitsVar) = var(m, presentBitsVar);
  }
  if (order == 6) {
    var(m, waveGunStateVar) = 1;
    const ClockParts now = splitClock(m);
    if (now.hour >= 9 && now.hour < 17) {
      var(m, crewThreePlaceVar) = 12;
      var(m, crewThreeDutyVar) = 12;
      var(m, presentBitsVar) -= crewThreeBit;
      var(m, crewOnDutyBitsVar) = var(m, presentBitsVar);
    }
  }
}

void waitingTimeReportA(Main& m) {
  const bool jobOne = var(m, orderArgVar) == 5;
  m.replyText(1) = waitingText(var(m, jobOne ? jobOneDoneVar : jobOneIdleVar));
}

void waitingTimeReportB(Main& m) {
  const Single order = var(m, orderArgVar);
  const bool jobTwo = flag(m, stageFlag) == 0 ? order == 9 : order == 7;
  m.replyText(1) = waitingText(var(m, jobTwo ? jobTwoDoneVar : jobTwoIdleVar));
}

void takeNextLogEntry(Main& m) {
  Single& count = var(m, broadcastCountVar);
  const Long at = flag(m, broadcastLogNextFlag) - asIndex(count);
  var(m, callArgVar) = m.gameFlag(at);
  count -= 1;
  if (count == 0) flag(m, broadcastLogNextFlag) = broadcastLogFirst;
}

void speedMenuFilter(Main& m) {
  m.choiceMask(1) = 0;
  for (int i = 2; i <= lastSpeedLevel; ++i) m.choiceMask(i) = 1;
  const Double d = distanceFromPoint(m, shipPosition(m), asIndex(var(m, courseTargetVar)));
  const Integer filter = flag(m, speedFilterFlag);
  const bool topGrade = var(m, driveGradeVar) == 2;
  auto offerBeyondReach = [&](int level) {
    if (d > stepReach[static_cast<std::size_t>(level - 1)]) m.choiceMask(level) = 0;
  };
  if ((filter & noSlowSpeeds) == 0) {
    for (int level = 2; level <= 4; ++level) offerBeyondReach(level);
  }
  if ((filter & noLightSpeeds) == 0) {
    for (int level = 5; level <= 7; ++level) offerBeyondReach(level);
    if (topGrade) offerBeyondReach(8);
  }
  // Without the top drive grade every rule moves down one level.
  const int shift = topGrade ? 0 : 1;
  if ((filter & hideFastest) != 0) m.choiceMask(8 - shift) = 1;
  if ((filter & hideSecondFastest) != 0) m.choiceMask(7 - shift) = 1;
  // The filter word is tested for this bit alone. The rule as first written compares the word
  // AND 4046 with 4096, which can never hold (4046 lacks that bit) and would hide nothing; the
  // battle code sets the bit exactly to keep these levels out of the menu.
  if ((filter & hideKilometreSpeeds) != 0) {
    for (int level = 2; level <= 6 - shift; ++level) m.choiceMask(level) = 1;
  }
}

void catchUpReception(Main& m) {
  Single& clock = var(m, clockMinutesVar);
  var(m, catchUpEndVar) = clock;
  clock = var(m, catchUpStartVar);
  var(m, catchUpLeftVar) = var(m, catchUpEndVar) - clock;
  const Long p = asIndex(var(m, courseTargetVar));
  while (var(m, catchUpLeftVar) > 0) {
    var(m, catchUpLeftVar) -= minutesPerStep;
    clock += minutesPerStep;
    const Reception found = receiverCheck(m, shipPosition(m), p, clock);
    if (found.received) writeReceiverLog(m, p, found, LogForms::catchUp);
  }
  clock = var(m, catchUpEndVar);
}

void registerBridgeOrders(scenario::RoutineTable& table) {
  table.add(2, readLogEntry);
  table.add(8, waitForBroadcast);
  table.add(9, checkReceiver);
  table.add(10, nameCourse);
  table.add(11, speedOrder);
  table.add(14, courseAndSpeedReport);
  table.add(15, workOrder);
  table.add(17, waitingTimeReportA);
  table.add(18, waitingTimeReportB);
  table.add(30, takeNextLogEntry);
  table.add(55, speedMenuFilter);
  table.add(65, catchUpReception);
}

}  // namespace zav3::ship
