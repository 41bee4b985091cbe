// Shields and damage to the player's ship: hits, playerStatus, the maximum speed, repairs and
// the status picture.
#include "combat/player_damage.hpp"

#include <array>
#include <cmath>
#include <ctime>

#include "combat/battle_flow.hpp"
#include "combat/combat_vars.hpp"
#include "combat/tactical_display.hpp"
#include "combat/vector_math.hpp"
#include "host/drawing.hpp"

namespace zav3::combat {

namespace {

using namespace vars;
using host::sj;

constexpr int waveGunInstalled = 2;
constexpr int topDriveGrade = 2;
constexpr int repairedDrive = 2;
constexpr int statusLeft = 50, statusTop = 35;
constexpr int sheetTop = 16;  // the status picture's background on the symbol sheet
constexpr int shieldX = 10, shieldY = 8;
constexpr int lostAverage = 3000;  // the average damage of systems 6..12 that loses the ship

constexpr Integer stopReported = 1;  // repairFlags
constexpr Integer factoryMendsItself = 2;

struct SystemRow {
  const char* name;   // UTF-8
  const char* label;  // of the status picture
  Single x, y;
};

constexpr std::array<SystemRow, systemCount> systemRows{{
    {"レーザー砲", "LASER", 105, 52},
    {"プラズマ砲", "PLASMA", 105, 72},
    {"航行用レーダー", "SAIL", 5, 52},
    {"通常レーダー", "NORMAL", 5, 72},
    {"工場", "FACTORY", 5, 112},
    {"停滞力場発生装置", "SPPOE", 5, 132},
    {"時間軸補正装置", "TARE", 5, 152},
    {"燃料圧縮装置", "FCE", 5, 172},
    {"第１推進装置", "NO1", 105, 112},
    {"第２推進装置", "NO2", 105, 132},
    {"第３推進装置", "NO3", 105, 152},
    {"第４推進装置", "NO4", 105, 172},
}};

bool damaged(Main& m, int s) {
  return systemDamage(m, s) != 0;
}

// The whole seconds of the time of day, modulo 10: the seed of the enemy's aim.
Long secondsSeed(Main& m) {
  const std::time_t now = m.host.now();
  std::tm local{};
  localtime_r(&now, &local);
  return (local.tm_hour * 3600L + local.tm_min * 60L + local.tm_sec) % 10;
}

// A draw from the generator scaled to 0 .. n - 1.
int draw(Main& m, Single n) {
  return static_cast<int>(std::floor(m.host.random.next() * n));
}

// Thrusters lost, from the bit playerStatus holds for their number.
int thrustersLost(Integer status) {
  if (status & playerAllThrustersLost) return 4;
  if (status & playerThreeThrustersLost) return 3;
  if (status & playerTwoThrustersLost) return 2;
  if (status & playerOneThrusterLost) return 1;
  return 0;
}

}  // namespace

void loadSystemNames(Main& m) {
  for (int s = 1; s <= systemCount; ++s) m.systemName(s) = sj(systemRows[s - 1].name);
}

Integer enemyHit(Main& m, Double damage, bool closeRange) {
  Single& hitResult = m.gameVar(hitResultVar);
  hitResult = 1;
  m.host.random.reseed(secondsSeed(m));
  if (draw(m, 100) > 20) hitResult = 0;  // 79 shots in 100 miss
  if (closeRange) hitResult = 1;
  if (hitResult == 0) return 0;

  // A damage value below 0 (never made by the attacks) would mend the shield.
  Double through = std::max(0.0, damage);
  Integer& s = shield(m);
  if (s > 0) {
    const Integer left = host::toInteger(s - through);
    if (left < 0) {
      through = -left;
      s = 0;
      hitResult = 3;
    } else {
      s = left;
    }
    drawStatusPicture(m);
  }
  // Only a shield that gave way lets the rest through; a shield already down takes the hit.
  if (hitResult != 3) return host::toInteger(hitResult);
  int system = 0;
  do {
    system = draw(m, 30);
  } while (((repairFlags(m) & stopReported) && system == factorySystem) ||
           (closeRange && (system == navRadarSystem || (system > 5 && system < 10))));
  if (system >= 1 && system <= systemCount) {
    Integer& value = systemDamage(m, system);
    value = host::toInteger(std::min<Double>(damageCap, value + through));
    hitResult = 2;
    // The hit system is named together with the deck's report; written one after the other,
    // the deck's text would leave no trace of which system was hit.
    m.replyText(0) = m.systemName(system) + sj("に命中！") + "@*";
    drawStatusPicture(m);
    m.replyText(0) += sj("デッキ損傷！@*緊急閉鎖しました。");
    deckDamage(m) = static_cast<Integer>(std::min(32767, deckDamage(m) + 1));
  }
  return host::toInteger(hitResult);
}

void recomputePlayerStatus(Main& m) {
  m.replyText(1).clear();
  Integer status = 0;
  auto add = [&](Integer bits) { status = static_cast<Integer>(status | bits); };
  if (damaged(m, laserSystem) && damaged(m, plasmaSystem) &&
      (m.gameVar(waveGunStateVar) != waveGunInstalled || damaged(m, navRadarSystem)))
    add(258);
  if (damaged(m, navRadarSystem)) add(40);
  if (damaged(m, radarSystem)) add(66);
  if (damaged(m, navRadarSystem) && damaged(m, radarSystem)) add(playerCannotMove);
  if (damaged(m, 6) || damaged(m, 7) || damaged(m, 8)) add(136);
  int thrusters = 0;
  for (int s = firstThruster; s <= systemCount; ++s) thrusters += damaged(m, s) ? 1 : 0;
  constexpr std::array<Integer, 5> thrusterBits{0, 512, 1024, 2048, 4096 | 14};
  add(thrusterBits[static_cast<std::size_t>(thrusters)]);
  if ((status & playerNoLightSpeed) && (status & playerRadarLost)) add(playerCannotMove);
  if (damaged(m, factorySystem) && repairFlags(m) == 0) {
    m.replyText(0) += sj("自動修復システムが停止！");
    repairFlags(m) = static_cast<Integer>(repairFlags(m) | stopReported);
  }
  long sum = 0;
  for (int s = 6; s <= systemCount; ++s) {
    if (systemDamage(m, s) == damageCap) add(playerLost);
    sum += systemDamage(m, s);
  }
  if (sum / 7 > lostAverage) add(playerLost);
  playerStatus(m) = status;
}

Integer maxSpeedLevel(Main& m) {
  const Integer status = playerStatus(m);
  const bool topGrade = m.gameVar(driveGradeVar) == topDriveGrade;
  const bool driveRepaired = m.gameVar(driveStateVar) == repairedDrive;
  // The thruster bits count the lost thrusters one bit per number; "two thrusters' bit clear"
  // is read as "fewer than two lost" (and "one's bit clear" as "none lost"), so that a third
  // lost thruster cannot give back the speed the second one took.
  const int lost = thrustersLost(status);
  Integer level = 1;
  if (status & playerCannotMove) return level;
  level = (status & playerNoLightSpeed) ? 4 : 5;
  if (status & playerNoLightSpeed) return level;
  if (topGrade) {
    level = 6;
    if (lost < 2 && driveRepaired) {
      level = 7;
      if (lost < 1) level = 8;
    }
  } else if (lost < 2) {
    level = 6;
    if (driveRepaired && lost < 1) level = 7;
  }
  return level;
}

void applySpeedLimit(Main& m) {
  const Integer top = maxSpeedLevel(m);
  if (m.gameVar(speedLevelVar) > top) {
    m.gameVar(speedLevelVar) = top;
    storeDistancesPerInterval(m);
  }
}

void repairStep(Main& m) {
  const bool fast = m.gameFlag(fastRepairFlag) == 1;
  if (!damaged(m, factorySystem)) {
    for (int s = 1; s <= systemCount; ++s) {
      Integer& value = systemDamage(m, s);
      if (value > 0) value = static_cast<Integer>(std::max(0, value - (fast ? 12 : 4)));
    }
  }
  if (repairFlags(m) & factoryMendsItself) {
    Integer& value = systemDamage(m, factorySystem);
    value = static_cast<Integer>(std::max(0, value - (fast ? 6 : 2)));
  }
  Integer& s = shield(m);
  if (s < shieldFull) s = static_cast<Integer>(std::min<int>(shieldFull, s + 8));
}

void drawStatusPicture(Main& m) {
  host::Surface& picture = m.modelBitmap;
  if (picture.width() != viewSize || picture.height() != viewSize) {
    picture = host::Surface(viewSize, viewSize);
  }
  const host::Surface& sheet = m.host.forms.surface(m.P15);
  host::copyRect(picture, 0, 0, viewSize, viewSize, sheet, 0, sheetTop);
  SHIELD_SUB(shield(m), shieldX, shieldY, sheet, picture);
  for (int s = 1; s <= systemCount; ++s) {
    const SystemRow& row = systemRows[s - 1];
    if (damaged(m, s)) SONGAI_SUB(row.label, systemDamage(m, s), row.x, row.y, sheet, picture);
  }
  host::copyRect(m.host.forms.surface(m.PICTURE1), statusLeft, statusTop, viewSize, viewSize,
                 picture, 0, 0);
}

void registerPlayerDamageRoutines(scenario::RoutineTable& table) {
  table.add(85, drawStatusPicture);
}

}  // namespace zav3::combat
