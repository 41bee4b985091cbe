// Battle flow: set-up, the two-second step, the commands offered, the fixed attacks,
// withdrawal, waiting for repairs, the placement at the base and the reset for a new encounter.
#include "combat/battle_flow.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "combat/combat_vars.hpp"
#include "combat/enemy_moves.hpp"
#include "combat/player_damage.hpp"
#include "combat/tactical_display.hpp"
#include "combat/vector_math.hpp"
#include "combat/weapons.hpp"
#include "host/drawing.hpp"
#include "ship/travel.hpp"

namespace zav3::combat {

namespace {

using namespace vars;
using host::sj;

constexpr std::array<Long, intervalLast + 1> intervalRows{10, 20, 30, 60, 120, 180, 600, 900, 1200};

constexpr int basePlace = 10;
constexpr Double baseReach = 100000;  // the base fires at the player within this, km
constexpr Double enemyReach = 40000;  // the enemy ship likewise
constexpr int pirateEncounter = 4;
constexpr int earthEncounter = 3;
constexpr Single missionTimeOver = 5;
constexpr Single lastMissionMinute = 12960;  // day 10, 00:00
constexpr Integer noGuns = 2;                // commandSetFlag

// Distance classes of the fixed attacks, km.
constexpr std::array<Double, 5> attackDistances{45000, 35000, 25000, 15000, 5000};

// The speeds used to withdraw, km/s, by the highest level the ship can reach (5..8).
constexpr std::array<Double, 4> withdrawalSpeeds{4676, 9352, 18704, 37409.3};
constexpr Double farWithdrawal = 5000000;

// Where routine 87 puts the player: beside the pirates' base.
constexpr SpacePoint basePlacement{493563720, -179632070, 1050};

constexpr Integer deckRepairSeconds = 600;

Double distanceToPlace(Main& m, int place) {
  const SpacePoint p = playerPosition(m);
  const SpacePoint& q = m.placePos(place);
  Double d = 0;
  KYORI_SUB(d, p.x, p.y, p.z, q.x, q.y, q.z);
  return d;
}

void setPosition(Main& m, int first, const SpacePoint& p) {
  m.shipState(first) = p.x;
  m.shipState(first + 1) = p.y;
  m.shipState(first + 2) = p.z;
}

// The courses in force take the planned courses.
void takeOverCourses(Main& m) {
  m.movingElevation(0) = m.courseElevation;
  m.movingAzimuth(0) = m.courseAzimuth;
  m.movingElevation(1) = m.enemyCourseElevation;
  m.movingAzimuth(1) = m.enemyCourseAzimuth;
}

void beginInterval(Main& m) {
  takeOverCourses(m);
  stepSeconds(m) = static_cast<Integer>(selectedInterval(m));
  m.enemySpeedLevel = std::min(m.enemySpeedLevel, enemyMaxLevel(m));
  storeDistancesPerInterval(m);
  buildPlot(m);
}

// Moves ship `ship` (0 the player, 1 the enemy) by two seconds at its speed along its course in
// force.
void moveShip(Main& m, int ship, Integer level) {
  const int first = ship == 0 ? playerXState : enemyXState;
  Long dx = 0, dy = 0, dz = 0;
  ZAHYO_SUB2(m.movingElevation(ship), m.movingAzimuth(ship), m.levelSpeed(level) * stepLength, dx,
             dy, dz, m.sinTable, m.cosTable);
  IDOU_SUB(m.shipState(first), m.shipState(first + 1), m.shipState(first + 2), dx, dy, dz);
}

// One of the enemy's hits, and what it leaves the ship able to do.
Integer takeHit(Main& m, Double damage, bool closeRange = false) {
  const Integer result = enemyHit(m, damage, closeRange);
  recomputePlayerStatus(m);
  applySpeedLimit(m);
  return result;
}

// Repair steps as a counted loop (the first always runs). Once a step changes nothing (all is
// mended, or nothing can be while the factory is down) the rest would change nothing either and
// are left out: a long wait costs no more than the repairs it needs.
void repairSteps(Main& m, Long count) {
  Long i = 1;
  do {
    std::array<Integer, systemCount + 1> before{};
    for (int s = 0; s <= systemCount; ++s) before[s] = m.gameFlag(shieldFlag + s);
    repairStep(m);
    bool changed = false;
    for (int s = 0; s <= systemCount; ++s) changed |= before[s] != m.gameFlag(shieldFlag + s);
    if (!changed) return;
  } while (++i <= count);
}

long damageSum(Main& m) {
  long sum = 0;
  for (int s = 1; s <= systemCount; ++s) sum += systemDamage(m, s);
  return sum;
}

Long clampedLong(double v) {
  return static_cast<Long>(
      std::clamp(v, 0.0, static_cast<double>(std::numeric_limits<Long>::max())));
}

}  // namespace

void fillIntervalSeconds(Main& m) {
  for (int i = 0; i <= intervalLast; ++i) m.intervalSeconds(i) = intervalRows[i];
}

Long selectedInterval(Main& m) {
  const int i =
      m.intervalIndex >= 0 && m.intervalIndex <= intervalLast ? m.intervalIndex : intervalReset;
  return m.intervalSeconds(i);
}

void storeDistancesPerInterval(Main& m) {
  const Long seconds = selectedInterval(m);
  m.shipState(playerStepState) = m.levelSpeed(levelNumber(m.gameVar(speedLevelVar))) * seconds;
  m.shipState(enemyStepState) = m.levelSpeed(levelNumber(m.enemySpeedLevel)) * seconds;
}

void advanceClock(Main& m, Long seconds) {
  const long total = static_cast<long>(m.secondsCounter) + seconds;
  m.gameVar(clockMinutesVar) += static_cast<Single>(total / 60);
  m.secondsCounter = static_cast<Integer>(total % 60);
}

void redrawBattle(Main& m) {
  buildPlot(m);
  redrawTacticalDisplay(m);
}

void setUpBattle(Main& m) {
  for (int i = battleFlagsFirst; i <= battleFlagsLast; ++i) m.gameFlag(i) = 0;
  deckDamage(m) = static_cast<Integer>(host::intDivide(deckDamage(m), deckRepairSeconds));
  loadCombatPictures(m);
  createCombatBitmaps(m);
  fillLevelSpeed(m);
  fillIntervalSeconds(m);
  buildAxisStar(m);
  host::Forms& forms = m.host.forms;
  m.crossHairShown = false;
  m.rangeShown = false;
  forms.setCaption(m.BUTTON10, sj("十字表示ＯＮ"));
  forms.setCaption(m.BUTTON14, sj("有効射程ＯＮ"));
  forms.setVisible(m.COMBO2, 0);
  if (encounterKind(m) == earthEncounter) m.placePos(basePlace) = enemyPosition(m);
  m.enemyCourseElevation = 0;
  m.enemyCourseAzimuth = 0;
  computeEnemyWaypoints(m);
  enemyStatus(m) = 0;
  playerStatus(m) = 0;
  rangeBits(m) = 0;
  shield(m) = shieldFull;
  loadPartTable(m);
  loadSystemNames(m);
  resetView(m);
}

void battleStep(Main& m) {
  m.gameVar(callArgVar) = 0;
  m.gameVar(resultVar) = 0;
  if (stepSeconds(m) <= 0) beginInterval(m);
  moveShip(m, 0, levelNumber(m.gameVar(speedLevelVar)));
  moveShip(m, 1, levelNumber(m.enemySpeedLevel));
  buildPlot(m);
  repairStep(m);

  const SpacePoint player = playerPosition(m);
  const SpacePoint enemy = enemyPosition(m);
  KYORI_SUB(m.enemyDistance, player.x, player.y, player.z, enemy.x, enemy.y, enemy.z);
  const Double toBase = distanceToPlace(m, basePlace);
  const bool nearBase = encounterKind(m) == pirateEncounter && toBase <= baseReach;
  if (nearBase) m.gameVar(resultVar) = takeHit(m, 600 - toBase * toBase / 20000000);
  if (m.enemyDistance <= enemyReach && (enemyStatus(m) & (enemyDestroyed | enemyDisarmed)) == 0) {
    m.gameVar(callArgVar) = takeHit(m, 600 - m.enemyDistance * m.enemyDistance / 3200000);
  }
  advanceClock(m, stepLength);
  if (encounterKind(m) == earthEncounter && m.gameVar(clockMinutesVar) >= lastMissionMinute) {
    m.gameVar(missionStateVar) = missionTimeOver;
  }
  m.gameVar(hitResultVar) = nearBase ? 1 : 0;
  stepSeconds(m) = static_cast<Integer>(stepSeconds(m) - stepLength);
  redrawTacticalDisplay(m);
  if (m.gameVar(callArgVar) < 2 && m.gameVar(resultVar) < 1 && stepSeconds(m) > 0 &&
      m.gameVar(missionStateVar) != missionTimeOver) {
    drawStatusPicture(m);
  }
}

void offerCombatCommands(Main& m) {
  auto show = [&](int item, bool shown) { m.choiceMask(item) = shown ? 0 : 1; };
  for (int item = 1; item <= 8; ++item) show(item, true);
  const Integer player = playerStatus(m);
  const Integer enemy = enemyStatus(m);
  const Integer range = rangeBits(m);
  if (player & playerCannotMove) show(2, false);
  if (m.gameFlag(commandSetFlag) != noGuns) {
    if ((range & 8) == 0 || systemDamage(m, laserSystem) > 0) show(3, false);
    if ((range & 1) == 0 || systemDamage(m, plasmaSystem) > 0) show(4, false);
    if (m.gameVar(waveGunStateVar) < 2 || (range & 4) == 0 || systemDamage(m, navRadarSystem) > 0)
      show(5, false);
  } else {
    for (int item = 3; item <= 7; ++item) show(item, false);
  }
  if (enemy & enemyDestroyed) {
    for (int item = 3; item <= 5; ++item) show(item, false);
  }
  show(6, false);
  show(8, false);
  if (encounterKind(m) == pirateEncounter && distanceToPlace(m, basePlace) > baseReach) {
    if (((enemy & enemyStopped) && (enemy & enemyDisarmed)) || (enemy & enemyDestroyed))
      show(6, true);
    if (m.gameFlag(commandSetFlag) == noGuns) show(8, true);
  }
  if (player & playerNoLightSpeed) show(6, false);
  show(7, (player & (playerCannotMove | playerNoLightSpeed)) != 0);
}

void fixedAttack(Main& m) {
  const Single distanceClass = m.gameVar(callArgVar);
  // Only the five classes exist; another value would read past the list: no attack is made.
  if (!(distanceClass >= 0 && distanceClass <= 4) || distanceClass != std::floor(distanceClass)) {
    m.gameVar(hitResultVar) = 0;
    return;
  }
  const Double d = attackDistances[static_cast<std::size_t>(distanceClass)];
  takeHit(m, 600 - d * d / 20000000, distanceClass == 0);
}

void withdraw(Main& m) {
  const Integer top = maxSpeedLevel(m);
  // A ship that cannot reach a light fraction withdraws at the best speed it has; one that
  // cannot move at all stays (the time would be a division by zero).
  const Double v =
      top >= 5 ? withdrawalSpeeds[static_cast<std::size_t>(top - 5)] : m.levelSpeed(top);
  m.gameVar(resultVar) = 0;
  m.replyText(0).clear();
  if (!(v > 0)) return;
  // (distance x 2 x 3.14) \ v, both rounded to whole numbers first; in double precision, as a
  // long would overflow for distances beyond about 340 million km.
  const double seconds =
      std::floor(std::nearbyint(m.shipState(targetDistanceState) * 2 * 3.14) / std::nearbyint(v));
  const Long t = clampedLong(seconds);
  repairSteps(m, t / 2);
  advanceClock(m, t);
  m.replyText(0) = ship::durationText(t) + sj("後");
  if (m.shipState(targetDistanceState) > farWithdrawal) m.gameVar(resultVar) = 1;
}

void waitForRepairs(Main& m) {
  m.gameVar(callArgVar) = 0;
  Long t = 2L * systemDamage(m, factorySystem);
  if (t > 300) {
    repairSteps(m, t / 2);
  } else {
    t = 300;
  }
  // Repairs go on until nothing is damaged. With the factory down and not mending itself nothing
  // ever is repaired: the wait ends there (instead of never) and callArg = 1 tells the scenario
  // that damage is left.
  while (damageSum(m) > 0) {
    const long before = damageSum(m);
    repairStep(m);
    t += stepLength;
    if (damageSum(m) == before) {
      m.gameVar(callArgVar) = 1;
      break;
    }
  }
  advanceClock(m, t);
  // The mended systems count again: without this the ship would stay unable to move after its
  // repairs, until the next hit. A lost ship stays lost.
  if ((playerStatus(m) & playerLost) == 0) recomputePlayerStatus(m);
  m.replyText(0) = ship::durationText(t) + sj("後");
  // The deck's repair time, seconds (held below the 16-bit limit: 54 deck hits and more).
  deckDamage(m) = static_cast<Integer>(std::min(32767L, deckDamage(m) * 600L));
  m.replyText(1) = ship::durationText(deckDamage(m)) + sj("後");
}

void placeAtBase(Main& m) {
  setPosition(m, playerXState, basePlacement);
  recomputePlayerStatus(m);
  m.gameVar(speedLevelVar) = maxSpeedLevel(m);
  storeDistancesPerInterval(m);
}

void resetEncounter(Main& m) {
  selectedWeapon(m) = 1;
  m.rangeWeapon = 1;
  m.intervalIndex = intervalReset;
  host::Forms& forms = m.host.forms;
  forms.setScrollValue(m.VSCROLL4, m.intervalIndex);
  resetView(m);
  m.radarDivisor = 1;
  forms.setScrollValue(m.VSCROLL2, m.radarDivisor);
  stepSeconds(m) = 0;
  m.secondsCounter = 0;
  m.selectedTrackPoint = 0;
  m.enemyPlanTurns = 0;
  m.enemyPlanMode = 0;
  loadPartTable(m);
  loadSystemNames(m);
  applySpeedLimit(m);
  m.enemySpeedLevel = encounterKind(m) == pirateEncounter ? Integer{1} : enemyMaxLevel(m);
  takeOverCourses(m);
  storeDistancesPerInterval(m);
  const SpacePoint player = playerPosition(m);
  const SpacePoint enemy = enemyPosition(m);
  KYORI_SUB(m.enemyDistance, player.x, player.y, player.z, enemy.x, enemy.y, enemy.z);
  redrawBattle(m);
  drawStatusPicture(m);
}

void registerBattleFlowRoutines(scenario::RoutineTable& table) {
  table.add(76, setUpBattle);
  table.add(78, battleStep);
  table.add(80, offerCombatCommands);
  table.add(82, fixedAttack);
  table.add(83, withdraw);
  table.add(86, waitForRepairs);
  table.add(87, placeAtBase);
  table.add(88, resetEncounter);
}

}  // namespace zav3::combat
