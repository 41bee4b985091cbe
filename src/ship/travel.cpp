// Destinations and travel: the place table, distance and heading to a place, the step move, the
// distance and duration texts, the moving place イズモ, the new game, the travel step with its
// arrival rules and story checks, the travel estimates and the position and place reports.
#include "ship/travel.hpp"

#include <array>
#include <utility>

#include "combat/vector_math.hpp"
#include "shell/game_state.hpp"
#include "ship/bridge_orders.hpp"
#include "ship/calendar.hpp"
#include "ship/ship_vars.hpp"
#include "ship/ship_tick.hpp"

namespace zav3::ship {

namespace {

using namespace vars;
using host::fullWidthNumber;
using host::intPart;
using host::sj;

// gameVar indexes of this module.
constexpr int roundCoordinatesVar = 48;
constexpr int listSourceVar = 49;
constexpr int storyPhaseVar = 86;
constexpr int arrivalModeVar = 119;

// gameFlag indexes of this module.
constexpr int izumoSeenFlag = 840;
constexpr int izumoStateFlag = 852;
constexpr int fixedArrivalFlag = 930;
constexpr int arrivalSwitchFlag = 980;
constexpr int izumoRouteFlag = 981;
constexpr int endingRouteFlag = 990;
constexpr int legOriginFlag = 1529;
constexpr int legStartFlag = 1530;
constexpr int travelPanelFlag = 1357;

constexpr int otherShipState = 4;  // 4, 5, 6: position; 7: speed
constexpr int otherSpeedState = 7;

constexpr int stepsPerCall = 5;
constexpr Single minutesPerStep = 3;

// Speeds the navigation uses by themselves, km per game minute.
constexpr Double izumoSpeed = 561139;
constexpr Double level6Speed = 561138.8125;
constexpr Double level7Speed = 1122277.5;
constexpr Double level8Speed = 2244555.0;
constexpr Double cruiseSpeed = 3600;

// The moving place is at 土星 at minute 10440 + 30 (day 8, 06:30) and moves on from there.
constexpr Single izumoDepartureMinute = 10440;
constexpr Single izumoDepartureDelay = 30;

constexpr Single dayTenMinute = 12960;
constexpr Single dayElevenMinute = 14400;
constexpr Double izumoNearDistance = 74800000;

constexpr Double hundredMillion = 100000000;
constexpr Double tenThousand = 10000;

struct PlaceRow {
  const char* name;  // UTF-8; converted when the table is filled
  Double x, y, z;
};

constexpr std::array<PlaceRow, 14> placeRows{{
    {"太陽", 0, 0, 0},
    {"系外第１ステーション", 3000000000, 0, 5195999980},
    {"建設中のステーション", 6000000000, 0, 10391999960},
    {"地球", 65201240, -136892280, 5826700},
    {"火星", -85314590, -224013730, 9957140},
    {"木星", -719388620, -372902300, 20912140},
    {"土星", 1487226800, -124918100, 0},
    {"天王星", 2985881980, 255016620, -7791340},
    {"海王星", 4501215570, -247938770, 59060410},
    {"冥王星", -5153507350, 3716929690, -473407380},
    {"海賊基地", 493567560, -179631910, 0},
    {"イズモ", 0, 0, 0},
    {"中継ステーション", -4479835800, 3231048900, -315604920},
    {"", 6452845870, 0, 6452845870},
}};

Single& var(Main& m, int i) {
  return m.gameVar(i);
}
Integer& flag(Main& m, int i) {
  return m.gameFlag(i);
}

SpacePoint shipPosition(const Main& m) {
  return {m.shipState(0), m.shipState(1), m.shipState(2)};
}

void setShipPosition(Main& m, const SpacePoint& p) {
  m.shipState(0) = p.x;
  m.shipState(1) = p.y;
  m.shipState(2) = p.z;
}

// Sets bits in a game variable that holds a bit set.
void setBits(Single& v, Long bits) {
  v = static_cast<Single>(host::toLong(v) | bits);
}

void stopShip(Main& m) {
  m.shipState(shipSpeedState) = 0;
  var(m, speedLevelVar) = stoppedLevel;
}

// Whole minutes to cover `distance` at `speed`, or the minutes left to the fixed arrival.
Double minutesToGo(Main& m, Double distance, Double speed) {
  const Integer fixed = flag(m, fixedArrivalFlag);
  if (fixed > 0) return static_cast<Double>(static_cast<Single>(fixed) - var(m, clockMinutesVar));
  if (speed == 0) host::raise(host::err::divisionByZero);
  return intPart(distance / speed);
}

// The fastest speed the drive allows, for estimates made while stopped.
Double maximumSpeed(Main& m) {
  if (var(m, driveStateVar) < 2) return level6Speed;
  return var(m, driveGradeVar) == 2 ? level8Speed : level7Speed;
}

// The heading in whole degrees becomes the ship's course.
void takeCourseFromHeading(Main& m) {
  m.courseElevation = host::toInteger(m.headingElevation);
  m.courseAzimuth = host::toInteger(m.headingAzimuth);
}

// The moving place is updated by the travel step while its route is open.
bool movingPlaceRuns(Main& m) {
  return (flag(m, izumoRouteFlag) & 4) != 0 && (flag(m, izumoStateFlag) & (16 | 32)) == 0;
}

// Arrival rules after a step, by the story stage.
void applyArrivalRules(Main& m, Double distance) {
  const Integer stage = flag(m, stageFlag);
  Single& arrivalCode = var(m, arrivalCodeVar);
  if (stage >= 3 && arrivalCode < 100) {
    if (stage == 3) {
      if (distance <= 12000000) {
        arrivalCode = 11;
        if ((flag(m, arrivalSwitchFlag) & 28) != 0) {
          stopShip(m);
        } else {
          m.shipState(shipSpeedState) = level6Speed;
          var(m, speedLevelVar) = 6;
        }
      }
    } else if (stage == 4) {
      if (distance <= 10000000) {
        arrivalCode = 10;
        stopShip(m);
      }
    } else if (distance <= 10000000) {
      arrivalCode = 12;
      stopShip(m);
    }
  } else if (stage < 3) {
    if (var(m, arrivalModeVar) != 1 && 3 * m.shipState(shipSpeedState) >= distance) {
      arrivalCode = var(m, courseTargetVar);
      stopShip(m);
    }
  }
  if (arrivalCode < 10 && var(m, arrivalModeVar) == 3) arrivalCode = var(m, courseTargetVar);
}

// Story checks run at the end of every travel call.
void storyChecks(Main& m) {
  const Single phase = var(m, storyPhaseVar);
  const bool quietPhase = phase == 1 || phase == 6 || phase == 11 || phase == 21 || phase == 26;
  if (flag(m, broadcastStoryFlag) == 1 && (host::toLong(var(m, crewOnDutyBitsVar)) & 2) != 0 &&
      !quietPhase) {
    flag(m, broadcastStoryFlag) = static_cast<Integer>(flag(m, broadcastStoryFlag) | 2);
    setBits(var(m, eventBitsVar), 256);
  }
  const Single clock = var(m, clockMinutesVar);
  if (clock < dayTenMinute) return;
  const Single target = var(m, courseTargetVar);
  if ((flag(m, izumoStateFlag) & 32) == 0 && (target == earthPlace || target == izumoPlace)) {
    flag(m, izumoStateFlag) = static_cast<Integer>(flag(m, izumoStateFlag) | 16);
    updateMovingPlace(m);
    const Double d = distanceFromPoint(m, shipPosition(m), izumoPlace);
    var(m, callArgVar) = d < izumoNearDistance ? 2 : 0;
  }
  if ((flag(m, izumoStateFlag) & 32) != 0 && clock >= dayElevenMinute) {
    setBits(var(m, eventBitsVar), 4096);
    flag(m, endingRouteFlag) = target == earthPlace ? 1 : 5;
  }
}

// The travel estimate to `callArg` with the course's leg recomputed.
void estimate(Main& m) {
  const Long destination = asIndex(var(m, callArgVar));
  m.replyText(1) = "";
  m.replyText(2) = "";
  const Double savedSpeed = m.shipState(shipSpeedState);
  const Single level = var(m, speedLevelVar);
  Double speed = 0;
  if (level == stoppedLevel) {
    m.replyText(1) = sj("最大速度で");
    speed = maximumSpeed(m);
  } else {
    m.replyText(1) = sj("現在の速度で");
    speed = levelSpeed(level);
  }
  m.shipState(shipSpeedState) = speed;

  // Where the ship is on the current leg.
  m.workPos = m.placePos(asIndex(flag(m, legOriginFlag)));
  headingToPlace(m, asIndex(var(m, courseTargetVar)));
  takeCourseFromHeading(m);
  const Single minutesOut = var(m, clockMinutesVar) - static_cast<Single>(flag(m, legStartFlag));
  const Double travelled = level > stoppedLevel ? speed * static_cast<Double>(minutesOut) : 0;
  combat::ZAHYO_SUB(m.headingElevation, m.headingAzimuth, travelled, m.workPos.x, m.workPos.y,
                    m.workPos.z);
  setShipPosition(m, m.workPos);

  const Double distance = distanceFromPoint(m, shipPosition(m), destination);
  m.lastDistance = distance;
  const Double t = 60 * minutesToGo(m, distance, speed);
  m.replyText(1) += m.placeName(destination) + sj("まで");
  m.replyText(2) = durationText(t) + sj("かかります。");
  var(m, callArgVar) += 1;
  m.shipState(shipSpeedState) = savedSpeed;
}

}  // namespace

Long asIndex(Single value) {
  return host::toLong(value);
}

Double distanceFromPoint(const Main& m, const SpacePoint& from, Long p) {
  const SpacePoint& to = m.placePos(p);
  Double d = 0;
  combat::KYORI_SUB(d, from.x, from.y, from.z, to.x, to.y, to.z);
  return d;
}

Double distanceToPlace(Main& m, Long p) {
  m.workTarget = host::toInteger(p);
  m.lastDistance = distanceFromPoint(m, m.workPos, p);
  return m.lastDistance;
}

void headingToPlace(Main& m, Long p) {
  m.workTarget = host::toInteger(p);
  const SpacePoint& to = m.placePos(p);
  combat::ANGLE(m.workPos.x, m.workPos.y, m.workPos.z, to.x, to.y, to.z, m.headingElevation,
                m.headingAzimuth);
}

void headingFromSun(Main& m, Long p) {
  const SpacePoint seen = p == 0 ? shipPosition(m) : m.placePos(p);
  combat::ANGLE(0, 0, 0, seen.x, seen.y, seen.z, m.headingElevation, m.headingAzimuth);
  m.workPos = shipPosition(m);
}

void stepMove(Main& m) {
  combat::ZAHYO_SUB(m.headingElevation, m.headingAzimuth, 3 * m.shipState(shipSpeedState),
                    m.workPos.x, m.workPos.y, m.workPos.z);
}

Double lightDelay(Double distance) {
  return intPart(distance / lightSpeed);
}

Bytes distanceText(Double d) {
  Bytes text;
  if (d >= hundredMillion) {
    const Double a = intPart(d / hundredMillion);
    text = fullWidthNumber(a) + sj("億");
    d -= a * hundredMillion;
  }
  if (d >= tenThousand) {
    const Double b = intPart(d / tenThousand);
    text += fullWidthNumber(b) + sj("万");
    d -= b * tenThousand;
  }
  const Long r = host::intRemainder(d, tenThousand);
  if (r > 0) text += fullWidthNumber(r);
  return text + sj("Ｋｍ");
}

Bytes durationText(Double t) {
  if (t < 60) return fullWidthNumber(t) + sj("秒");
  Bytes text;
  if (t >= 86400) {
    const Double a = intPart(t / 86400);
    t -= 86400 * a;
    text = fullWidthNumber(a) + sj("日と");
  }
  if (t >= 3600) {
    const Double b = intPart(t / 3600);
    t -= 3600 * b;
    text += fullWidthNumber(b) + sj("時間");
  }
  if (t >= 60) text += fullWidthNumber(host::intDivide(t, 60)) + sj("分");
  return text;
}

void updateMovingPlace(Main& m) {
  m.shipState(otherSpeedState) = izumoSpeed;
  m.workPos = m.placePos(6);
  headingToPlace(m, earthPlace);
  const Single minutesOut = var(m, clockMinutesVar) - izumoDepartureMinute - izumoDepartureDelay;
  const Double distance = static_cast<Double>(minutesOut) * m.shipState(otherSpeedState);
  combat::ZAHYO_SUB(m.headingElevation, m.headingAzimuth, distance, m.workPos.x, m.workPos.y,
                    m.workPos.z);
  m.shipState(otherShipState) = m.workPos.x;
  m.shipState(otherShipState + 1) = m.workPos.y;
  m.shipState(otherShipState + 2) = m.workPos.z;
  m.placePos(izumoPlace) = m.workPos;
}

void positionReport(Main& m) {
  headingFromSun(m, 0);
  m.replyText(1) = fullWidthNumber(intPart(m.headingAzimuth));
  m.replyText(2) = fullWidthNumber(intPart(m.headingElevation));
  for (int axis = 0; axis < 3; ++axis) {
    m.replyText(3 + axis) = host::toFullWidth(host::numberText(m.shipState(axis)));
  }
  m.replyText(6) = distanceText(distanceFromPoint(m, shipPosition(m), 0));
}

void estimateToCourse(Main& m) {
  var(m, callArgVar) = var(m, courseTargetVar);
  estimate(m);
}

void travelEstimate(Main& m) {
  estimate(m);
}

void newGame(Main& m) {
  if (!m.combatTablesMade) {
    combat::fillAngleTables(m.sinTable, m.cosTable);
    m.combatTablesMade = true;
  }
  m.gameVar.redim(0, Main::gameVarLast);
  m.gameFlag.redim(0, Main::gameFlagLast);
  m.shipState.redim(0, Main::shipStateLast);
  for (int i = 0; i <= lastPlacePos; ++i) {
    const PlaceRow& row = placeRows[static_cast<std::size_t>(i)];
    if (i <= lastPlaceName) m.placeName(i) = sj(row.name);
    m.placePos(i) = {row.x, row.y, row.z};
  }
  setShipPosition(m, m.placePos(startPlace));
  m.shipState(shipSpeedState) = 0;
  m.missionEntryLine = 0;  // a new play: its mission record will be a new one
}

void travelStep(Main& m) {
  m.host.random.reseed(host::toLong(var(m, clockMinutesVar)));
  Reception found;
  int steps = 0;
  do {
    if (movingPlaceRuns(m)) updateMovingPlace(m);

    const Long target = asIndex(var(m, courseTargetVar));
    m.workPos = shipPosition(m);
    headingToPlace(m, target);
    takeCourseFromHeading(m);
    stepMove(m);
    setShipPosition(m, m.workPos);
    applyArrivalRules(m, distanceToPlace(m, target));

    m.targetMinute = var(m, clockMinutesVar) + minutesPerStep;
    shipTick(m);

    m.receivedFlag = 0;
    const Single course = var(m, courseTargetVar);
    if (var(m, receiverTargetVar) == course && course >= 3 && course <= 9) {
      found = receiverCheck(m, shipPosition(m), asIndex(course), m.targetMinute);
    }
    if (m.receivedFlag == 1 || var(m, eventBitsVar) > 31 || var(m, arrivalCodeVar) > 0) break;
    ++steps;
  } while (steps < stepsPerCall);

  if (m.receivedFlag == 1) {
    flag(m, travelPanelFlag) = 0;
    writeReceiverLog(m, asIndex(var(m, courseTargetVar)), found, LogForms::travel);
  }
  if (var(m, driveStateVar) == 1 && var(m, speedLevelVar) > 4) {
    var(m, speedLevelVar) = 4;
    m.shipState(shipSpeedState) = cruiseSpeed;
  }
  storyChecks(m);
  if (var(m, eventBitsVar) > 0 || var(m, arrivalCodeVar) > 0) flag(m, travelPanelFlag) = 0;
}

void nameCourseTarget(Main& m) {
  m.replyText(1) = m.placeName(asIndex(var(m, courseTargetVar)));
}

void outerPlanetList(Main& m) {
  const Single source = var(m, listSourceVar);
  const Integer f = m.gameFlag(asIndex(source));
  Bytes text;
  if ((f & 1) != 0) text = sj("木星");
  const std::array<std::pair<Integer, const char*>, 3> more{
      {{2, "土星"}, {4, "天王星"}, {8, "海王星"}}};
  for (const auto& [bit, name] : more) {
    if ((f & bit) == 0) continue;
    if (!text.empty()) text += sj("、");
    text += sj(name);
  }
  text += sj("で、");
  if (source == 850 && flag(m, izumoSeenFlag) > 0) text = sj("それに、") + text;
  m.replyText(1) = text;
}

void moveOtherShip(Main& m) {
  updateMovingPlace(m);
}

void placeCoordinates(Main& m) {
  const Long q = asIndex(var(m, listSourceVar));
  SpacePoint target = m.placePos(q);
  if (var(m, roundCoordinatesVar) == 1) {
    for (Double* v : {&target.x, &target.y, &target.z}) *v = intPart(*v / 1000) * 1000;
  }
  m.replyText(1) = host::toFullWidth(host::numberText(target.x));
  m.replyText(2) = host::toFullWidth(host::numberText(target.y));
  m.replyText(3) = host::toFullWidth(host::numberText(target.z));
  const SpacePoint ship = shipPosition(m);
  Double d = 0;
  combat::KYORI_SUB(d, ship.x, ship.y, ship.z, target.x, target.y, target.z);
  m.lastDistance = d;
  const Bytes text = distanceText(d);
  m.replyText(4) = text;
  m.replyText(q == 10 ? 5 : 6) = text;
}

void timeToEarth(Main& m) {
  var(m, callArgVar) = earthPlace;
  m.replyText(1) = "";
  const Double savedSpeed = m.shipState(shipSpeedState);
  const Single level = var(m, speedLevelVar);
  if (level < 5) {
    m.replyText(1) = sj("その後");
    return;
  }
  const Double speed = levelSpeed(level);
  m.shipState(shipSpeedState) = speed;
  const Double distance = distanceFromPoint(m, shipPosition(m), earthPlace);
  m.lastDistance = distance;
  m.replyText(1) = durationText(60 * minutesToGo(m, distance, speed)) + sj("後");
  var(m, callArgVar) = 4;
  m.shipState(shipSpeedState) = savedSpeed;
}

void registerTravelRoutines(scenario::RoutineTable& table) {
  table.add(12, positionReport);
  table.add(13, estimateToCourse);
  table.add(19, travelEstimate);
  table.add(26, newGame);
  table.add(28, travelStep);
  table.add(54, nameCourseTarget);
  table.add(66, outerPlanetList);
  table.add(67, moveOtherShip);
  table.add(68, placeCoordinates);
  table.add(71, timeToEarth);
}

}  // namespace zav3::ship
