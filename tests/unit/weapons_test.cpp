// The player's weapons: direction codes of every row of the hit table, range bits and the
// firing cone, laser damage and the consequences of destroyed parts, the plasma gun and the
// wave gun by direction.
#include "combat/weapons.hpp"

#include <cmath>

#include "combat/combat_vars.hpp"
#include "combat/vector_math.hpp"
#include "support/shell_fixture.hpp"

namespace zav3::testing {
namespace {

using namespace combat::vars;
using host::sj;

class WeaponsTest : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    combat::fillAngleTables(m().sinTable, m().cosTable);
    combat::loadPartTable(m());
  }

  void place(SpacePoint player, SpacePoint enemy) {
    for (int i = 0; i < 3; ++i) {
      m().shipState(playerXState + i) = i == 0 ? player.x : i == 1 ? player.y : player.z;
      m().shipState(enemyXState + i) = i == 0 ? enemy.x : i == 1 ? enemy.y : enemy.z;
    }
  }
  // Places the player `km` from the enemy in the direction (elevation, azimuth) of the enemy's
  // own frame, the enemy flying the given course.
  void placeSeenFromEnemy(double elevation, double azimuth, double km, int courseElevation,
                          int courseAzimuth) {
    const double d = 3.14159265358979 / 180;
    const SpacePoint enemy{2.0e6, -1.0e6, 5000};
    // In the enemy's frame, then turned up by its elevation and round by its azimuth.
    const double x2 = std::cos(elevation * d) * std::cos(azimuth * d);
    const double y2 = std::cos(elevation * d) * std::sin(azimuth * d);
    const double z2 = std::sin(elevation * d);
    const double ce = std::cos(courseElevation * d), se = std::sin(courseElevation * d);
    const double x1 = x2 * ce - z2 * se, z1 = z2 * ce + x2 * se;
    const double ca = std::cos(courseAzimuth * d), sa = std::sin(courseAzimuth * d);
    const double dx = x1 * ca - y2 * sa, dy = y2 * ca + x1 * sa;
    m().enemyCourseElevation = static_cast<Integer>(courseElevation);
    m().enemyCourseAzimuth = static_cast<Integer>(courseAzimuth);
    place({enemy.x + km * dx, enemy.y + km * dy, enemy.z + km * z1}, enemy);
  }

  // A clock minute whose laser draw hits (r < 10), or misses (r = 10).
  Single clockWithDraw(bool hit) {
    for (int minute = 1;; ++minute) {
      host::Random probe = host_->random;
      probe.reseed(minute);
      const bool hits = host::toInteger(probe.next() * 10.0f) < 10;
      if (hits == hit) return static_cast<Single>(minute);
    }
  }
  // Fires the laser at part `part` (every candidate of the row made that part).
  void laserAt(int part) {
    for (int i = 0; i <= 9; ++i) m().hitRow(i) = static_cast<Integer>(part);
    m().gameVar(clockMinutesVar) = clockWithDraw(true);
    m().gameVar(fireCodeVar) = 3;
    combat::fireWeapon(m());
  }
  Bytes report(int slot) { return m().replyText(slot); }
};

TEST_F(WeaponsTest, EveryDirectionCodeOfTheHitTable) {
  // Sector centres in the enemy's frame (0 ahead, counted towards +y) and band elevations.
  const double sectorAzimuth[8] = {0, 38, 90, 143, 180, 218, 270, 323};
  const struct {
    int offset;
    double elevation;
  } bands[5] = {{0, 0}, {10, 45}, {20, 82}, {30, -45}, {40, -82}};
  int codes = 0;
  for (const auto& band : bands) {
    for (int sector = 0; sector < 8; ++sector) {
      // The enemy climbs at 30 degrees on azimuth 120: the code is read in its own frame.
      placeSeenFromEnemy(band.elevation, sectorAzimuth[sector], 30000, 30, 120);
      combat::aimEnemy(m());
      const Integer code = static_cast<Integer>(band.offset + sector);
      SCOPED_TRACE(code);
      ASSERT_EQ(hitDirection(m()), code);
      const auto* row = combat::hitTableRow(code);
      ASSERT_NE(row, nullptr);
      for (int i = 0; i <= 9; ++i) EXPECT_EQ(m().hitRow(i), (*row)[i]);
      ++codes;
    }
  }
  EXPECT_EQ(codes, 40);
  EXPECT_EQ(combat::hitTableRow(8), nullptr);
  EXPECT_EQ(*combat::hitTableRow(0), (std::array<Integer, 10>{11, 11, 11, 11, 11, 0, 0, 0, 1, 6}));
  EXPECT_EQ(*combat::hitTableRow(24),
            (std::array<Integer, 10>{16, 16, 15, 15, 17, 18, 4, 9, 3, 8}));
  EXPECT_EQ(*combat::hitTableRow(47),
            (std::array<Integer, 10>{11, 11, 11, 7, 10, 13, 13, 13, 13, 18}));
  // Straight ahead of a ship climbing steeply is still its front, level.
  placeSeenFromEnemy(0, 0, 30000, 60, 200);
  combat::aimEnemy(m());
  EXPECT_EQ(hitDirection(m()), 0);
}

TEST_F(WeaponsTest, RangeBitsOnlyInsideTheFiringCone) {
  // The player at the origin flying +x, level.
  m().courseAzimuth = 0;
  m().courseElevation = 0;
  auto bitsAt = [&](SpacePoint enemy) {
    place({0, 0, 0}, enemy);
    combat::aimEnemy(m());
    return rangeBits(m());
  };
  EXPECT_EQ(bitsAt({15000, 0, 0}), 13);
  EXPECT_EQ(bitsAt({50000, 0, 0}), 12);
  EXPECT_EQ(bitsAt({300000, 0, 0}), 8);
  EXPECT_DOUBLE_EQ(m().enemyDistance, 300000);
  EXPECT_EQ(bitsAt({300001, 0, 0}), 0);
  const double t5 = std::tan(5 * 3.14159265358979 / 180), t7 = std::tan(7 * 3.14159265358979 / 180);
  EXPECT_EQ(bitsAt({100000, 100000 * t5, 0}), 8);   // 5 degrees off the heading
  EXPECT_EQ(bitsAt({100000, 100000 * t7, 0}), 0);   // 7 degrees: outside
  EXPECT_EQ(bitsAt({100000, 0, 100000 * t5}), 8);   // 5 degrees above
  EXPECT_EQ(bitsAt({100000, 0, -100000 * t7}), 0);  // 7 degrees below
  // Across 0/360: heading 358 sees 2 degrees, heading 3 sees 359.
  m().courseAzimuth = 358;
  EXPECT_EQ(bitsAt({100000, 100000 * std::tan(2 * 3.14159265358979 / 180), 0}), 8);
  m().courseAzimuth = 3;
  EXPECT_EQ(bitsAt({100000, -100000 * std::tan(3.14159265358979 / 180), 0}), 8);
  // An enemy showing its side (sector 2) widens the cone to 10 degrees.
  m().courseAzimuth = 0;
  const SpacePoint eightDegrees{100000, 100000 * std::tan(8 * 3.14159265358979 / 180), 0};
  m().enemyCourseAzimuth = 0;
  EXPECT_EQ(bitsAt(eightDegrees), 0);
  m().enemyCourseAzimuth = 98;
  EXPECT_EQ(bitsAt(eightDegrees), 8);
  EXPECT_EQ(hitDirection(m()) % 10, 2);
}

TEST_F(WeaponsTest, LaserDamageAndTheTurrets) {
  place({0, 0, 0}, {300000, 0, 0});
  combat::aimEnemy(m());
  laserAt(13);                       // 2000 hit points
  EXPECT_EQ(partHP(m(), 13), 1900);  // 100 damage at exactly 300000 km
  EXPECT_EQ(report(0), sj("停滞力場発生装置の装甲版に命中！"));
  EXPECT_EQ(report(1), "");
  EXPECT_EQ(selectedWeapon(m()), 1);

  // Turrets have no hit points: each hit destroys one; the tenth ends their fire.
  for (int turret = 1; turret <= 10; ++turret) {
    laserAt(turret);
    SCOPED_TRACE(turret);
    EXPECT_EQ(partHP(m(), turret), -1);
    EXPECT_EQ(report(0), m().partName(turret) + sj("に命中！"));
    EXPECT_EQ(report(1), turret < 10 ? Bytes() : sj("全ての砲塔を破壊しました。"));
  }
  EXPECT_EQ(m().partName(10), sj("第１０砲塔"));
  EXPECT_EQ(enemyStatus(m()), 516);
  laserAt(10);  // a destroyed part again: reported, nothing more happens
  EXPECT_EQ(report(0), sj("第１０砲塔に命中！"));
  EXPECT_EQ(report(1), "");
  EXPECT_EQ(enemyStatus(m()), 516);

  // A missed shot leaves the default report; a disarmed enemy's last turret says nothing.
  combat::loadPartTable(m());
  enemyStatus(m()) = 0;
  for (int i = 0; i <= 9; ++i) m().hitRow(i) = 13;
  m().gameVar(clockMinutesVar) = clockWithDraw(false);
  combat::fireWeapon(m());
  EXPECT_EQ(report(0), sj("効果無し！"));
  EXPECT_EQ(partHP(m(), 13), 2000);
  enemyStatus(m()) = enemyDisarmed;
  for (int turret = 1; turret <= 10; ++turret) laserAt(turret);
  EXPECT_EQ(report(1), "");
  EXPECT_EQ(enemyStatus(m()), enemyDisarmed);
  // Far beyond the laser's reach the formula would heal the part: no damage.
  place({0, 0, 0}, {1.0e7, 0, 0});
  combat::aimEnemy(m());
  laserAt(13);
  EXPECT_EQ(partHP(m(), 13), 2000);
}

TEST_F(WeaponsTest, CockpitThrustersAndNozzles) {
  place({0, 0, 0}, {100, 0, 0});  // point blank: 2100 damage
  combat::aimEnemy(m());
  encounterKind(m()) = 2;
  laserAt(0);
  EXPECT_EQ(report(0), sj("コックピットに命中！"));
  EXPECT_EQ(report(1), sj("敵艦はまだ行動中です。"));
  EXPECT_EQ(enemyStatus(m()), 256);  // it keeps acting

  combat::loadPartTable(m());
  enemyStatus(m()) = 0;
  encounterKind(m()) = 4;
  laserAt(0);
  EXPECT_EQ(report(1), sj("敵艦は完全に沈黙しました。"));
  EXPECT_EQ(enemyStatus(m()), 286);

  combat::loadPartTable(m());
  enemyStatus(m()) = 0;
  laserAt(16);
  EXPECT_EQ(report(1), sj("敵は高速航行できず、且つ武器の使用が@*不可能になりました。"));
  EXPECT_EQ(enemyStatus(m()), 1036);
  laserAt(17);
  EXPECT_EQ(report(1), "");
  laserAt(18);
  EXPECT_EQ(report(1), sj("これで補助推進用ノズルが２つ共破壊された@*ので低速航行できません。"));
  EXPECT_EQ(enemyStatus(m()), 1036 | 2064 | enemyStopped);

  laserAt(11);
  EXPECT_EQ(report(1), sj("航行不能で停止しました。"));
  combat::loadPartTable(m());
  enemyStatus(m()) = 0;
  laserAt(12);
  EXPECT_EQ(report(1), sj("これで敵は武器が使えません。"));
  EXPECT_EQ(enemyStatus(m()), 68);
  laserAt(14);
  EXPECT_EQ(report(1), sj("これで高速航行できず、且つ武器の@*使用も不可能です。"));
  EXPECT_EQ(enemyStatus(m()), 68 | 140);
}

TEST_F(WeaponsTest, PlasmaGunAndWaveGun) {
  m().gameVar(fireCodeVar) = 4;
  enemyStatus(m()) = 68;
  encounterKind(m()) = 3;
  combat::fireWeapon(m());
  EXPECT_EQ(selectedWeapon(m()), 2);
  EXPECT_EQ(enemyStatus(m()), 1);
  EXPECT_EQ(m().gameFlag(852) & 32, 32);
  EXPECT_EQ(report(0), sj("敵艦は完全に破壊されました。"));

  auto waveFrom = [&](double elevation, double azimuth) {
    placeSeenFromEnemy(elevation, azimuth, 40000, 0, 250);
    combat::aimEnemy(m());
    enemyStatus(m()) = 0;
    m().gameVar(fireCodeVar) = 5;
    combat::fireWeapon(m());
    return hitDirection(m());
  };
  EXPECT_EQ(waveFrom(0, 0), 0);  // directly in front, level: everything silenced
  EXPECT_EQ(enemyStatus(m()), 3838);
  EXPECT_EQ(report(0), sj("敵艦の全システムが損傷した模様です。@*現在敵艦は完全に沈黙しました。"));
  EXPECT_EQ(report(1), "");
  EXPECT_EQ(waveFrom(0, 180), 4);  // directly behind: only slow travel lost
  EXPECT_EQ(enemyStatus(m()), 2064);
  EXPECT_EQ(report(0), sj("敵艦の補助エンジンに損害を与えた模様。"));
  EXPECT_EQ(waveFrom(-45, 0), 30);
  EXPECT_EQ(enemyStatus(m()), 34);
  EXPECT_EQ(report(0), sj("敵艦の航行用レーダーに損害を与えた模様。@*航行不能で停止しました。"));
  EXPECT_EQ(waveFrom(82, 143), 23);
  EXPECT_EQ(enemyStatus(m()), 68);
  EXPECT_EQ(report(0),
            sj("敵艦の通常レーダーに損害を与えた模様。@*敵の攻撃は不可能になりました。"));
  EXPECT_EQ(waveFrom(0, 90), 2);
  EXPECT_EQ(enemyStatus(m()), 0);
  EXPECT_EQ(report(0), sj("効果無し！"));
}

}  // namespace
}  // namespace zav3::testing
