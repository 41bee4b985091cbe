// The enemy's waypoints, speed limit and manoeuvres.
#include "combat/enemy_moves.hpp"

#include <algorithm>
#include <array>

#include "combat/combat_vars.hpp"
#include "combat/vector_math.hpp"

namespace zav3::combat {

namespace {

using namespace vars;

constexpr int waypointLast = 5;
constexpr Double waypointDistance = 100000;
constexpr Double chaseReach = 100000;     // the enemy turns towards a player this near
constexpr Double slowReach = 100000;      // and slows down this near its reference point
constexpr Double planningReach = 200000;  // beyond this from the reference it plans every turn
constexpr int earthEncounter = 3;

enum PlanMode : Integer { noPlan = 0, chasing = 1, toWaypoint = 2 };

// (elevation, azimuth) of the six waypoints.
constexpr std::array<std::array<Single, 2>, waypointLast + 1> waypointDirections{
    {{0, 0}, {0, 90}, {0, 180}, {0, 270}, {90, 0}, {-90, 0}}};

Double distanceBetween(const SpacePoint& a, const SpacePoint& b) {
  Double d = 0;
  KYORI_SUB(d, a.x, a.y, a.z, b.x, b.y, b.z);
  return d;
}

bool stopped(Integer status) {
  return (status & enemyStopped) || ((status & enemyNoFastTravel) && (status & enemyNoSlowTravel));
}

// The waypoint ranked second by distance from the enemy.
Integer secondNearestWaypoint(Main& m, const SpacePoint& enemy) {
  Array<Double> distances(0, waypointLast);
  Array<Integer> ranks(0, waypointLast);
  for (int i = 0; i <= waypointLast; ++i)
    distances(i) = distanceBetween(enemy, m.enemyWaypoints(i));
  SOUTO_SUB(waypointLast, distances, ranks);
  for (int i = 0; i <= waypointLast; ++i) {
    if (ranks(i) == 2) return static_cast<Integer>(i);
  }
  return 0;
}

}  // namespace

void computeEnemyWaypoints(Main& m) {
  const SpacePoint start = enemyPosition(m);
  for (int i = 0; i <= waypointLast; ++i) {
    SpacePoint p = start;
    ZAHYO_SUB(waypointDirections[i][0], waypointDirections[i][1], waypointDistance, p.x, p.y, p.z);
    m.enemyWaypoints(i) = p;
  }
}

Integer enemyMaxLevel(Main& m) {
  const Integer status = enemyStatus(m);
  if (stopped(status)) return 1;
  if (status & enemyNoFastTravel) return 4;
  return encounterKind(m) == earthEncounter ? 6 : 7;
}

void enemyManoeuvre(Main& m) {
  if (enemyStatus(m) & enemyDestroyed) return;
  // The report starts clear: left as the last step made it, a base hit on a system (2) would read
  // as a changed course.
  m.gameVar(resultVar) = 0;
  m.enemyPlanTurns = static_cast<Integer>(m.enemyPlanTurns - 1);
  if (m.enemyPlanTurns <= 0) {
    m.enemyPlanMode = noPlan;
    m.enemyPlanTurns = host::toInteger(m.host.random.next() * 3.0f + 3.0f);
  }
  if (stopped(enemyStatus(m))) {
    m.enemySpeedLevel = 1;  // it keeps its position
    return;
  }
  const SpacePoint enemy = enemyPosition(m);
  const SpacePoint player = playerPosition(m);
  SpacePoint target = player;
  if (distanceBetween(enemy, player) <= chaseReach) {
    m.enemyPlanMode = chasing;
  } else {
    if (m.enemyPlanMode != toWaypoint) {
      m.enemyWaypoint = secondNearestWaypoint(m, enemy);
      m.enemyPlanMode = toWaypoint;
    }
    target = m.enemyWaypoints(m.enemyWaypoint);
  }
  Single elevation = 0, azimuth = 0;
  ANGLE(enemy.x, enemy.y, enemy.z, target.x, target.y, target.z, elevation, azimuth);
  const Integer newElevation = host::toInteger(elevation);
  const Integer newAzimuth = static_cast<Integer>(host::toInteger(azimuth) % 360);

  const Double toReference = distanceBetween(enemy, m.placePos(referencePlace(m)));
  const Integer level = toReference <= slowReach ? 4 : 5;
  m.enemySpeedLevel = std::min(level, enemyMaxLevel(m));
  if (toReference > planningReach) m.enemyPlanTurns = 0;  // it plans again next turn

  if (newElevation != m.enemyCourseElevation || newAzimuth != m.enemyCourseAzimuth) {
    m.enemyCourseElevation = newElevation;
    m.enemyCourseAzimuth = newAzimuth;
    m.gameVar(resultVar) = 2;
    m.replyText(2) = host::fullWidthNumber(newElevation);
    m.replyText(1) = host::fullWidthNumber(newAzimuth);
  }
}

void registerEnemyMoveRoutines(scenario::RoutineTable& table) {
  table.add(84, enemyManoeuvre);
}

}  // namespace zav3::combat
