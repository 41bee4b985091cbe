// The player's weapons: part table, hit table, aiming, laser, plasma gun and wave gun.
#include "combat/weapons.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "combat/combat_vars.hpp"
#include "combat/vector_math.hpp"
#include "host/media/media.hpp"

namespace zav3::combat {

namespace {

using namespace vars;
using host::sj;

constexpr int turretFirst = 1;
constexpr int turretLast = 10;
constexpr int cockpitPart = 0;
constexpr int navRadarPart = 11;
constexpr int radarPart = 12;
constexpr int mainThrusterPart = 16;
constexpr int leftNozzlePart = 17;
constexpr int rightNozzlePart = 18;
constexpr Integer destroyedHP = -1;

constexpr Integer storyPlasmaBit = 32;
constexpr std::int64_t soundPollMs = 20;

struct PartRecord {
  Integer hitPoints;
  const char* name;  // UTF-8
};

constexpr std::array<PartRecord, partCount> partRecords{{
    {1000, "コックピット"},
    {0, "第１砲塔"},
    {0, "第２砲塔"},
    {0, "第３砲塔"},
    {0, "第４砲塔"},
    {0, "第５砲塔"},
    {0, "第６砲塔"},
    {0, "第７砲塔"},
    {0, "第８砲塔"},
    {0, "第９砲塔"},
    {0, "第１０砲塔"},
    {1000, "航行用レーダー"},
    {500, "通常レーダー"},
    {2000, "停滞力場発生装置"},
    {2000, "時間軸補正装置"},
    {2000, "燃料圧縮装置"},
    {2000, "メイン推進装置"},
    {2000, "左補助推進ノズル"},
    {2000, "右補助推進ノズル"},
}};

struct HitRow {
  Integer code;
  std::array<Integer, 10> parts;
};

constexpr std::array<HitRow, 40> hitTable{{
    {0, {11, 11, 11, 11, 11, 0, 0, 0, 1, 6}},       {1, {11, 11, 11, 0, 0, 0, 1, 1, 1, 2}},
    {2, {1, 2, 3, 4, 5, 17, 13, 14, 15, 16}},       {3, {16, 16, 16, 16, 4, 4, 17, 17, 5, 3}},
    {4, {16, 16, 16, 16, 4, 4, 9, 9, 17, 18}},      {5, {16, 16, 16, 16, 9, 9, 18, 18, 8, 10}},
    {6, {6, 7, 8, 9, 10, 18, 13, 14, 15, 16}},      {7, {11, 11, 11, 0, 0, 0, 6, 6, 6, 7}},
    {10, {11, 11, 11, 0, 0, 0, 1, 1, 6, 6}},        {11, {11, 11, 11, 0, 0, 0, 1, 1, 1, 1}},
    {12, {1, 3, 17, 4, 15, 15, 16, 16, 12, 8}},     {13, {16, 16, 16, 15, 15, 4, 4, 17, 17, 3}},
    {14, {16, 16, 15, 15, 17, 17, 18, 18, 4, 9}},   {15, {16, 16, 16, 15, 15, 9, 9, 18, 18, 8}},
    {16, {6, 8, 18, 9, 15, 15, 16, 16, 12, 3}},     {17, {11, 11, 11, 0, 0, 0, 6, 6, 6, 6}},
    {20, {0, 0, 11, 11, 12, 12, 1, 1, 6, 6}},       {21, {1, 1, 1, 12, 12, 0, 0, 11, 6, 6}},
    {22, {16, 15, 3, 8, 12, 12, 17, 18, 1, 6}},     {23, {16, 16, 16, 15, 15, 15, 17, 18, 4, 3}},
    {24, {16, 16, 15, 15, 17, 18, 4, 9, 3, 8}},     {25, {16, 16, 16, 15, 15, 15, 17, 18, 9, 8}},
    {26, {16, 15, 3, 8, 12, 12, 17, 18, 1, 6}},     {27, {6, 6, 6, 12, 12, 0, 0, 11, 1, 1}},
    {30, {11, 11, 11, 11, 7, 7, 7, 2, 2, 2}},       {31, {11, 11, 11, 11, 2, 2, 5, 17, 13, 13}},
    {32, {13, 13, 13, 14, 14, 14, 17, 17, 2, 5}},   {33, {16, 16, 16, 13, 13, 13, 17, 17, 4, 5}},
    {34, {16, 16, 16, 16, 13, 13, 17, 18, 4, 9}},   {35, {16, 16, 16, 13, 13, 13, 18, 18, 9, 10}},
    {36, {13, 13, 13, 14, 14, 14, 18, 18, 7, 10}},  {37, {11, 11, 11, 11, 7, 7, 10, 18, 13, 13}},
    {40, {11, 11, 11, 2, 7, 5, 10, 13, 13, 13}},    {41, {11, 11, 11, 2, 5, 13, 13, 13, 13, 17}},
    {42, {13, 13, 13, 16, 16, 17, 17, 18, 2, 5}},   {43, {16, 16, 16, 13, 13, 17, 17, 18, 4, 5}},
    {44, {16, 16, 16, 16, 13, 13, 17, 17, 18, 18}}, {45, {16, 16, 16, 13, 13, 18, 18, 17, 9, 10}},
    {46, {13, 13, 13, 16, 16, 18, 18, 17, 7, 10}},  {47, {11, 11, 11, 7, 10, 13, 13, 13, 13, 18}},
}};

// Sector of an azimuth in the enemy's frame: the nose is sector 0, counted towards +y.
Integer sectorOf(Single a) {
  constexpr std::array<Single, 8> ends{16, 60, 121, 165, 196, 240, 301, 345};
  for (Integer s = 0; s < 8; ++s) {
    if (a < ends[s]) return s;
  }
  return 0;
}

// Band offset of an elevation in the enemy's frame: level 0, above 10 and 20, below 30 and 40.
Integer bandOf(Single e) {
  if (e < -74) return 40;
  if (e < -15) return 30;
  if (e < 16) return 0;
  if (e < 75) return 10;
  return 20;
}

// An elevation from ATN_SUB read as -180..180.
Single signedElevation(Single e) {
  return e > 180.0f ? e - 360.0f : e;
}

// Whole degrees as a table index 0..360.
Integer tableIndex(int degrees) {
  int a = degrees % 360;
  if (a < 0) a += 360;
  return static_cast<Integer>(a);
}

bool destroyed(Main& m, int part) {
  return partHP(m, part) < 0;
}

bool clear(Integer status, Integer bit) {
  return (status & bit) == 0;
}

// --- the sound cue ---

void fireSound(Main& m, Integer code) {
  if (!m.host.media || (code != 3 && code != 4)) return;
  const Long from = code == 4 ? 12000 : 22000;
  const Long to = code == 4 ? 21999 : 32999;
  host::Media& media = *m.host.media;
  media.sendCommand(m.MCI1,
                    "PLAY WAV1 FROM " + host::numberText(from) + " TO " + host::numberText(to));
  for (;;) {
    media.sendCommand(m.MCI2, "status WAV1 mode");
    if (media.resultText(m.MCI2) != "playing") break;
    media.idle(soundPollMs);
  }
}

// --- the weapons ---

// Consequences of a destroyed part, each once (its bit), in this order; the last that applies
// leaves its text in replyText 1.
void checkConsequences(Main& m, Integer statusBefore) {
  Integer& status = enemyStatus(m);
  Bytes& consequence = m.replyText(1);
  auto apply = [&](Integer bits, const char* text) {
    status = static_cast<Integer>(status | bits);
    if (text) consequence = sj(text);
  };
  const bool couldFire = clear(statusBefore, enemyDisarmed);
  if (clear(status, enemyNavRadarLost) && destroyed(m, navRadarPart))
    apply(34, "航行不能で停止しました。");
  if (couldFire && clear(status, enemyRadarLost) && destroyed(m, radarPart))
    apply(68, "これで敵は武器が使えません。");
  if (couldFire && clear(status, enemyTurretsLost)) {
    int sum = 0;
    for (int p = turretFirst; p <= turretLast; ++p) sum += partHP(m, p);
    if (sum == -10) apply(516, "全ての砲塔を破壊しました。");
  }
  if (clear(status, enemyFastSystemsLost) &&
      (destroyed(m, 13) || destroyed(m, 14) || destroyed(m, 15)))
    apply(140, "これで高速航行できず、且つ武器の@*使用も不可能です。");
  if (clear(status, enemyCockpitDone) && destroyed(m, cockpitPart)) {
    if (encounterKind(m) == 4) {
      apply(286, "敵艦は完全に沈黙しました。");
    } else {
      apply(256, "敵艦はまだ行動中です。");
    }
  }
  if (clear(status, enemyThrusterLost) && destroyed(m, mainThrusterPart))
    apply(1036, "敵は高速航行できず、且つ武器の使用が@*不可能になりました。");
  if (clear(status, enemyNozzlesLost) && destroyed(m, leftNozzlePart) &&
      destroyed(m, rightNozzlePart))
    apply(2064, "これで補助推進用ノズルが２つ共破壊された@*ので低速航行できません。");
  if (!clear(status, enemyNoFastTravel) && !clear(status, enemyNoSlowTravel))
    apply(enemyStopped, nullptr);
}

void fireLaser(Main& m) {
  m.host.random.reseed(host::toLong(m.gameVar(clockMinutesVar)));
  const Integer r = host::toInteger(m.host.random.next() * 10.0f);
  if (r == 10) return;  // about one shot in twenty misses
  const Integer part = m.hitRow(r);
  m.replyText(0) = m.partName(part);
  // 2100 at point blank, 100 at 300000 km. Beyond about 307000 km the formula turns negative
  // and would mend the part (and overflow the 16-bit hit points far away): no damage there.
  const Double d = m.enemyDistance;
  const Double damage = std::max(0.0, 2100.0 - d * d / 45000000.0);
  const Integer statusBefore = enemyStatus(m);
  Integer& hp = partHP(m, part);
  hp = host::toInteger(hp - damage);
  if (hp < 0) {
    m.replyText(0) += sj("に命中！");
    hp = destroyedHP;
    checkConsequences(m, statusBefore);
  } else {
    m.replyText(0) += sj("の装甲版に命中！");
  }
}

void firePlasmaGun(Main& m) {
  enemyStatus(m) = enemyDestroyed;
  if (encounterKind(m) == 3)
    m.gameFlag(storyFlag) = static_cast<Integer>(m.gameFlag(storyFlag) | storyPlasmaBit);
  m.replyText(0) = sj("敵艦は完全に破壊されました。");
}

void fireWaveGun(Main& m) {
  const Integer code = hitDirection(m);
  Integer bits = 0;
  const char* text = "効果無し！";
  if (code == 0) {
    bits = 3838;
    text = "敵艦の全システムが損傷した模様です。@*現在敵艦は完全に沈黙しました。";
  } else if (code == 10 || code == 30) {
    bits = 34;
    text = "敵艦の航行用レーダーに損害を与えた模様。@*航行不能で停止しました。";
  } else if (code == 4) {
    bits = 2064;
    text = "敵艦の補助エンジンに損害を与えた模様。";
  } else if (code >= 20 && code <= 27) {
    bits = 68;
    text = "敵艦の通常レーダーに損害を与えた模様。@*敵の攻撃は不可能になりました。";
  }
  enemyStatus(m) = static_cast<Integer>(enemyStatus(m) | bits);
  m.replyText(0) = sj(text);
}

}  // namespace

const std::array<Integer, 10>* hitTableRow(Integer code) {
  for (const HitRow& row : hitTable) {
    if (row.code == code) return &row.parts;
  }
  return nullptr;
}

Integer directionCode(Double x, Double y, Double z) {
  Single a = 0;
  ATN_SUB(x, y, a);
  Single e = 0;
  ATN_SUB(std::sqrt(x * x + y * y), z, e);
  return static_cast<Integer>(sectorOf(a) + bandOf(signedElevation(e)));
}

void loadPartTable(Main& m) {
  for (int p = 0; p < partCount; ++p) {
    partHP(m, p) = partRecords[p].hitPoints;
    m.partName(p) = sj(partRecords[p].name);
  }
}

void aimEnemy(Main& m) {
  const SpacePoint player = playerPosition(m);
  const SpacePoint enemy = enemyPosition(m);
  KYORI_SUB(m.enemyDistance, player.x, player.y, player.z, enemy.x, enemy.y, enemy.z);

  // The player's position in the enemy's own frame: the enemy's azimuth turned away about the
  // vertical, then its elevation about the new y axis, so that its nose lies along +x. (Turning
  // by the negated elevation, as the rotation was first written, doubles the climb instead of
  // removing it: a player straight ahead of a climbing enemy would be seen above it.)
  const Double dx = player.x - enemy.x, dy = player.y - enemy.y, dz = player.z - enemy.z;
  const Integer a1 = tableIndex(360 - m.enemyCourseAzimuth);
  const Integer a2 = tableIndex(m.enemyCourseElevation);
  const Double x1 = dx * m.cosTable(a1) - dy * m.sinTable(a1);
  const Double y1 = dy * m.cosTable(a1) + dx * m.sinTable(a1);
  const Double z1 = dz;
  const Double x2 = x1 * m.cosTable(a2) + z1 * m.sinTable(a2);
  const Double z2 = z1 * m.cosTable(a2) - x1 * m.sinTable(a2);
  const Integer code = directionCode(x2, y1, z2);
  hitDirection(m) = code;
  const Integer sector = static_cast<Integer>(code % 10);
  const Single w = sector == 2 || sector == 6 ? 10.0f : 6.0f;
  const std::array<Integer, 10>* row = hitTableRow(code);
  for (int i = 0; i < 10; ++i) m.hitRow(i) = (*row)[i];

  Integer bits = 0;
  if (m.enemyDistance <= 20000) bits = 1;
  if (m.enemyDistance <= 50000) bits = static_cast<Integer>(bits | 4);
  if (m.enemyDistance <= 300000) bits = static_cast<Integer>(bits | 8);
  Single bearing = 0;
  ATN_SUB(enemy.x - player.x, enemy.y - player.y, bearing);
  const Single heading = tableIndex(m.courseAzimuth);
  bool inside = false;
  if (heading >= 360 - w) {
    inside = bearing >= heading - w || bearing <= heading + w - 360;
  } else if (heading <= w) {
    inside = bearing <= heading + w || bearing >= heading - w + 360;
  } else {
    inside = bearing >= heading - w && bearing <= heading + w;
  }
  if (inside) {
    Single up = 0;
    ATN_SUB(std::hypot(enemy.x - player.x, enemy.y - player.y), enemy.z - player.z, up);
    const Single course = signedElevation(static_cast<Single>(m.courseElevation));
    const Single rise = signedElevation(up);
    inside = rise >= course - w && rise <= course + w;
  }
  rangeBits(m) = inside ? bits : Integer{0};
}

void fireWeapon(Main& m) {
  m.replyText(0) = sj("効果無し！");
  m.replyText(1).clear();
  const Integer code = host::toInteger(m.gameVar(fireCodeVar));
  selectedWeapon(m) = static_cast<Integer>(code - 2);
  fireSound(m, code);
  switch (selectedWeapon(m)) {
    case 1:
      fireLaser(m);
      break;
    case 2:
      firePlasmaGun(m);
      break;
    case 3:
      fireWaveGun(m);
      break;
    default:
      break;
  }
}

void registerWeaponRoutines(scenario::RoutineTable& table) {
  table.add(79, aimEnemy);
  table.add(81, fireWeapon);
}

}  // namespace zav3::combat
