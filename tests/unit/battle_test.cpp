// A battle on the demo's combat pictures, routine by routine: the enemy's hits on the shield and
// the systems (a full shield, a shield of 100, a shield already down, the 3599 cap and the lost
// ship), what the damage leaves the ship able to do (the factory, thrusters lost, the speed list),
// the status picture's pixels, the two-second step that starts a new interval, an enemy that
// cannot travel, the planning phase kept as it was by BUTTON9 and accepted by BUTTON8, the
// commands offered, waiting for repairs that cannot be made, and the mission record written
// beside COPYRIGHT.TXT.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "combat/battle_flow.hpp"
#include "combat/enemy_moves.hpp"
#include "combat/mission_record.hpp"
#include "shell/records_screen.hpp"
#include "combat/planning_phase.hpp"
#include "combat/player_damage.hpp"
#include "shell/startup.hpp"
#include "support/combat_scene.hpp"
#include "support/shell_fixture.hpp"

namespace zav3::testing {
namespace {

using namespace combat::vars;
using host::sj;

class BattleTest : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    setUpBattleScreen(m(), ZAV3_DEMO_DIR);
    m().workFolder = host_->files.paths().toGame(dir_) + "\\";
    placeStandardShips(m());
    run(76);
    run(88);
  }
  void run(int routine) { m().routines.run(m(), routine); }
  Integer& flag(int i) { return m().gameFlag(i); }
  Single& var(int i) { return m().gameVar(i); }

  // A generator state from which the enemy's next hit is drawn to hit and then picks `system`
  // (the time of day seeds the draw: 09:00:00 at the start of a headless run, 0 modulo 10).
  std::uint32_t stateHitting(int system) {
    for (std::uint32_t state = 1;; ++state) {
      host::Random probe;
      probe.setState(state);
      probe.reseed(0);
      if (std::floor(probe.next() * 100.0f) > 20) continue;
      if (std::floor(probe.next() * 30.0f) == system) return state;
    }
  }
  Integer hit(double damage, int system, bool closeRange = false) {
    host_->random.setState(stateHitting(system));
    return combat::enemyHit(m(), damage, closeRange);
  }
  std::uint32_t screen(int x, int y) { return surface(m().PICTURE1).at(x, y); }
  std::uint32_t sheet(int x, int y) { return surface(m().P15).at(x, y); }
  std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(BattleTest, HitsOnTheShieldAndTheSystems) {
  EXPECT_EQ(shield(m()), 1200);
  // 600 on a full shield: half of it is left, nothing else is touched.
  EXPECT_EQ(hit(600, 9, true), 1);
  EXPECT_EQ(shield(m()), 600);
  EXPECT_EQ(systemDamage(m(), 9), 0);
  EXPECT_EQ(deckDamage(m()), 0);
  // The status picture: 30 full cells of the shield bar, then empty ones (sheet cells at (80, 0)
  // and (83, 0)).
  ASSERT_NE(sheet(81, 4), sheet(84, 4));
  EXPECT_EQ(screen(50 + 10 + 3 * 29 + 1, 35 + 8 + 8 + 4), sheet(81, 4));
  EXPECT_EQ(screen(50 + 10 + 3 * 30 + 1, 35 + 8 + 8 + 4), sheet(84, 4));

  // 600 on a shield of 100: the shield gives way and 500 goes into the system drawn.
  shield(m()) = 100;
  EXPECT_EQ(hit(600, 9), 2);
  EXPECT_EQ(var(hitResultVar), 2);
  EXPECT_EQ(shield(m()), 0);
  EXPECT_EQ(systemDamage(m(), 9), 500);
  EXPECT_EQ(deckDamage(m()), 1);
  EXPECT_EQ(m().replyText(0),
            sj("第１推進装置に命中！") + "@*" + sj("デッキ損傷！@*緊急閉鎖しました。"));
  // The damage bar of NO1 at (105, 112): 500 \ 120 + 1 = 5 empty cells below the caption.
  EXPECT_EQ(screen(50 + 105 + 3 * 4 + 1, 35 + 120 + 4), sheet(84, 4));
  EXPECT_NE(screen(50 + 105 + 3 * 5 + 1, 35 + 120 + 4), sheet(84, 4));

  // A hit while the shield is down takes nothing more (one draw only).
  const std::uint32_t state = stateHitting(10);
  host_->random.setState(state);
  EXPECT_EQ(combat::enemyHit(m(), 600, true), 1);
  EXPECT_EQ(systemDamage(m(), 10), 0);
  EXPECT_EQ(deckDamage(m()), 1);
  host::Random oneDraw;
  oneDraw.setState(state);
  oneDraw.next();
  EXPECT_EQ(host_->random.state(), oneDraw.state());
  // The shield regains 8 a step, and the next hit passes the rest on.
  combat::repairStep(m());
  EXPECT_EQ(shield(m()), 8);
  EXPECT_EQ(hit(600, 11), 2);
  EXPECT_EQ(systemDamage(m(), 11), 592);

  // A miss changes nothing; a close-range attack never hits the far systems (redrawn).
  for (std::uint32_t st = 1;; ++st) {
    host::Random probe;
    probe.setState(st);
    probe.reseed(0);
    if (std::floor(probe.next() * 100.0f) > 20) {
      host_->random.setState(st);
      break;
    }
  }
  shield(m()) = 0;
  EXPECT_EQ(combat::enemyHit(m(), 600), 0);
  host_->random.setState(stateHitting(7));
  shield(m()) = 50;
  EXPECT_EQ(combat::enemyHit(m(), 600, true), m().gameVar(hitResultVar));
  EXPECT_EQ(systemDamage(m(), 7), 0);
}

TEST_F(BattleTest, TheCapAndTheLostShip) {
  systemDamage(m(), 12) = 3500;
  shield(m()) = 0;
  combat::repairStep(m());  // shield 8, system 12 3496
  EXPECT_EQ(hit(600, 12), 2);
  EXPECT_EQ(systemDamage(m(), 12), 3599);
  combat::recomputePlayerStatus(m());
  EXPECT_EQ(playerStatus(m()) & playerLost, playerLost);
  // 3599 on systems 1..5 does not lose the ship; an average above 3000 on 6..12 does.
  for (int s = 1; s <= 12; ++s) systemDamage(m(), s) = 0;
  systemDamage(m(), 1) = 3599;
  combat::recomputePlayerStatus(m());
  EXPECT_EQ(playerStatus(m()) & playerLost, 0);
  for (int s = 6; s <= 12; ++s) systemDamage(m(), s) = 3001;
  combat::recomputePlayerStatus(m());
  EXPECT_EQ(playerStatus(m()) & playerLost, playerLost);
}

TEST_F(BattleTest, TheDamagedFactory) {
  systemDamage(m(), 5) = 100;
  systemDamage(m(), 1) = 50;
  shield(m()) = 1000;
  combat::recomputePlayerStatus(m());
  EXPECT_EQ(m().replyText(0), sj("自動修復システムが停止！"));
  EXPECT_EQ(repairFlags(m()), 1);
  // Nothing but the shield recovers.
  combat::repairStep(m());
  EXPECT_EQ(systemDamage(m(), 5), 100);
  EXPECT_EQ(systemDamage(m(), 1), 50);
  EXPECT_EQ(shield(m()), 1008);
  // Waiting for repairs with the factory down ends (instead of never) and says damage is left.
  var(clockMinutesVar) = 100;
  run(86);
  EXPECT_EQ(var(callArgVar), 1);
  EXPECT_EQ(systemDamage(m(), 1), 50);
  EXPECT_EQ(var(clockMinutesVar), 105);  // 300 s, and one step that changed nothing
  EXPECT_EQ(m().secondsCounter, 2);
  EXPECT_EQ(m().replyText(0), sj("５分後"));
  // A factory that mends itself (fast repairs: 6 a step) comes back, then mends the others.
  repairFlags(m()) = 2;
  m().gameFlag(fastRepairFlag) = 1;
  combat::repairStep(m());
  EXPECT_EQ(systemDamage(m(), 5), 94);
  run(86);
  EXPECT_EQ(var(callArgVar), 0);
  for (int s = 1; s <= 12; ++s) EXPECT_EQ(systemDamage(m(), s), 0) << s;
  EXPECT_EQ(playerStatus(m()), 0);
  // A stop once reported keeps later hits off the factory: a draw of 5 is drawn again.
  repairFlags(m()) = 1;
  shield(m()) = 10;
  host_->random.setState(stateHitting(5));
  EXPECT_EQ(combat::enemyHit(m(), 600), m().gameVar(hitResultVar));
  EXPECT_EQ(systemDamage(m(), 5), 0);
}

TEST_F(BattleTest, ThrustersLostAndTheSpeedLimit) {
  var(driveGradeVar) = 2;
  var(driveStateVar) = 2;
  EXPECT_EQ(combat::maxSpeedLevel(m()), 8);
  systemDamage(m(), 9) = 100;
  combat::recomputePlayerStatus(m());
  EXPECT_EQ(playerStatus(m()), 512);
  EXPECT_EQ(combat::maxSpeedLevel(m()), 7);
  systemDamage(m(), 10) = 100;
  combat::recomputePlayerStatus(m());
  EXPECT_EQ(combat::maxSpeedLevel(m()), 6);
  // Three lost leave 6 too (the bits of one and two lost are clear then).
  systemDamage(m(), 11) = 100;
  combat::recomputePlayerStatus(m());
  EXPECT_EQ(playerStatus(m()), 2048);
  EXPECT_EQ(combat::maxSpeedLevel(m()), 6);
  // All four: the ship cannot move at all.
  var(speedLevelVar) = 6;
  m().intervalIndex = 0;
  systemDamage(m(), 12) = 100;
  combat::recomputePlayerStatus(m());
  EXPECT_EQ(playerStatus(m()), 4096 | 14);
  combat::applySpeedLimit(m());
  EXPECT_EQ(var(speedLevelVar), 1);
  EXPECT_EQ(m().shipState(playerStepState), 0);
  const std::vector<Bytes> speeds = combat::speedListItems(m());
  ASSERT_EQ(speeds.size(), 1u);
  EXPECT_EQ(speeds[0], sj("   停 止"));
  // The commands: no "go on", "wait for repairs" offered.
  run(80);
  EXPECT_EQ(m().choiceMask(1), 0);
  EXPECT_EQ(m().choiceMask(2), 1);
  EXPECT_EQ(m().choiceMask(6), 1);
  EXPECT_EQ(m().choiceMask(7), 0);
  EXPECT_EQ(m().choiceMask(8), 1);
}

TEST_F(BattleTest, AStepAtZeroStartsTheIntervalFirst) {
  // The standard scene: the player at the origin heading +x at level 4, the enemy at +100000
  // heading +y. The enemy's plan is to climb straight up at level 7, but it cannot travel fast.
  m().intervalIndex = 0;  // 10 s
  m().enemyCourseElevation = 90;
  m().enemyCourseAzimuth = 0;
  m().enemySpeedLevel = 7;
  enemyStatus(m()) = enemyNoFastTravel;
  EXPECT_EQ(m().movingElevation(1), 0);  // the course in force before the interval
  stepSeconds(m()) = 0;
  m().secondsCounter = 58;
  var(clockMinutesVar) = 10;
  run(78);
  EXPECT_EQ(stepSeconds(m()), 8);
  EXPECT_EQ(m().movingElevation(1), 90);
  EXPECT_EQ(m().enemySpeedLevel, 4);
  EXPECT_DOUBLE_EQ(m().shipState(playerStepState), 10000);
  EXPECT_DOUBLE_EQ(m().shipState(enemyStepState), 10000);
  EXPECT_DOUBLE_EQ(m().shipState(0), 2000);  // 1000 km/s for two seconds along +x
  EXPECT_DOUBLE_EQ(m().shipState(4), 100000);
  EXPECT_DOUBLE_EQ(m().shipState(6), 2000);  // straight up
  EXPECT_EQ(var(clockMinutesVar), 11);
  EXPECT_EQ(m().secondsCounter, 0);
  EXPECT_DOUBLE_EQ(m().enemyDistance, std::floor(std::hypot(98000.0, 2000.0)));
  // A plan made during the interval waits for the next one.
  m().enemyCourseElevation = 0;
  run(78);
  EXPECT_DOUBLE_EQ(m().shipState(6), 4000);
  EXPECT_EQ(stepSeconds(m()), 6);
}

TEST_F(BattleTest, AnEnemyThatCanTravelNeitherFastNorSlowlyNeverMoves) {
  enemyStatus(m()) = enemyNoFastTravel | enemyNoSlowTravel;
  m().enemySpeedLevel = 5;
  m().enemyPlanTurns = 1;
  const SpacePoint before = enemyPosition(m());
  for (int turn = 0; turn < 3; ++turn) {
    run(84);
    EXPECT_EQ(m().enemySpeedLevel, 1);
    EXPECT_EQ(var(resultVar), 0);
    for (int step = 0; step < 6; ++step) run(78);
  }
  const SpacePoint after = enemyPosition(m());
  EXPECT_DOUBLE_EQ(after.x, before.x);
  EXPECT_DOUBLE_EQ(after.y, before.y);
  EXPECT_DOUBLE_EQ(after.z, before.z);
  // A free enemy far from the player heads for the second-nearest waypoint (in index order
  // among equals: azimuth 90), and reports its new course.
  enemyStatus(m()) = 0;
  m().enemyPlanTurns = 1;
  m().shipState(0) = -500000;
  m().placePos(10) = {1.0e8, 0, 0};
  combat::computeEnemyWaypoints(m());
  run(84);
  EXPECT_EQ(m().enemyPlanMode, 2);
  EXPECT_EQ(m().enemyWaypoint, 1);
  EXPECT_EQ(m().enemyCourseAzimuth, 90);
  EXPECT_EQ(m().enemySpeedLevel, 5);
  EXPECT_EQ(var(resultVar), 2);
  EXPECT_EQ(m().replyText(1), sj("９０"));
  EXPECT_EQ(m().enemyPlanTurns, 0);  // far from its base: it plans again next turn
}

TEST_F(BattleTest, ThePlanningPhase) {
  var(speedLevelVar) = 4;
  m().courseAzimuth = 0;
  m().courseElevation = 0;
  // BUTTON9 keeps everything as it was: interval, speed and course.
  input({"scroll VSCROLL4 5", "select COMBO1 2", "picture PICTURE10 108 20", "button BUTTON9"});
  run(77);
  EXPECT_EQ(var(callArgVar), 8);
  EXPECT_EQ(m().intervalIndex, 3);
  EXPECT_EQ(var(speedLevelVar), 4);
  EXPECT_EQ(m().courseAzimuth, 0);
  EXPECT_DOUBLE_EQ(m().shipState(playerStepState), 60000);
  EXPECT_EQ(host_->forms.isVisible(m().FORM3), 0);
  // BUTTON8: the radar click turns the course (the player's radar point lies left of the
  // centre), the gauge click raises it, the speed is ordered, the interval is taken.
  input({"scroll VSCROLL4 0", "select COMBO1 2", "picture PICTURE11 40 28",
         "picture PICTURE10 200 20", "button BUTTON12", "button BUTTON8"});
  run(77);
  EXPECT_EQ(var(callArgVar), 7);
  EXPECT_EQ(m().intervalIndex, 0);
  EXPECT_EQ(var(speedLevelVar), 3);
  EXPECT_GT(m().courseAzimuth, 0);
  EXPECT_LT(m().courseAzimuth, 90);
  EXPECT_EQ(m().courseElevation, 45);
  EXPECT_EQ(var(resultVar), 2);
  EXPECT_EQ(m().replyText(2), sj("４５"));
  EXPECT_EQ(m().replyText(1), host::fullWidthNumber(m().courseAzimuth));
  EXPECT_DOUBLE_EQ(m().shipState(playerStepState), 1000);
  EXPECT_EQ(m().selectedTrackPoint, m().lastTrackPoint(1));  // wrapped from 0 to the last
  // BUTTON15 turns towards the enemy's selected track point: point 0, its position.
  input({"type EDIT48 0", "button BUTTON15", "button BUTTON8"});
  run(77);
  EXPECT_EQ(m().courseAzimuth, 0);
  EXPECT_EQ(m().courseElevation, 0);
}

TEST_F(BattleTest, TheMissionRecord) {
  const std::filesystem::path file = dir_ / "COPYRIGHT.TXT";
  std::ofstream(file, std::ios::binary)
      << "**** Zav3 ****\r\n\r\nold version\r\nD,1,48,8,0,0,0,0,0,0\r\n";
  var(121) = 1;
  var(123) = 16;
  flag(980) = 4;
  enemyStatus(m()) = 1;
  run(89);
  const std::string once =
      "**** Zav3 ****\r\n\r\nold version\r\nD,1,48,8,0,0,0,0,0,0\r\n"
      "D,1,16,4,0,0,0,0,1,0\r\n";
  EXPECT_EQ(readFile(file), once);
  EXPECT_EQ(m().missionEntryLine, 5);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "COPYRIGHT.NEW"));
  // The same play again: its record is brought up to date in place.
  flag(852) = 32;
  run(89);
  const std::string twice =
      "**** Zav3 ****\r\n\r\nold version\r\nD,1,48,8,0,0,0,0,0,0\r\n"
      "D,1,16,4,0,0,32,0,1,0\r\n";
  EXPECT_EQ(readFile(file), twice);
  EXPECT_EQ(m().playRecordEndings, 12);
  // Start-up reads every record.
  m().playRecordEndings = 0;
  shell::scanPlayRecords(m());
  EXPECT_EQ(m().playRecordEndings, 12);
  EXPECT_EQ(m().gameVar(131), 1);
  // The badges of the record, and the picture.
  const std::vector<combat::MissionBadge> badges = combat::missionBadges(m());
  ASSERT_EQ(badges.size(), 3u);
  EXPECT_EQ(badges[0].text, sj("地球編"));
  EXPECT_EQ(badges[1].text, sj("敵艦撃沈"));
  EXPECT_EQ(badges[2].text, sj("特別戦果"));
  EXPECT_EQ(screen(60, 84), host::argbOf(badges[0].colour));
  // The new file cannot be written (a folder has its name): a warning, the old file as it was,
  // the game goes on.
  std::filesystem::create_directory(dir_ / "COPYRIGHT.NEW");
  var(123) = 0;
  run(89);
  EXPECT_EQ(readFile(file), twice);
  bool warned = false;
  for (const std::string& line : host_->trace.lines())
    warned |= line.find("warning: the play records") != std::string::npos;
  EXPECT_TRUE(warned);
  // The records screen reads the same file, with two damaged lines added: one with too few
  // fields reads as a mission under way on no planet of the table, which counts as a success
  // of no episode; one whose events are out of range is a failure.
  std::filesystem::remove(dir_ / "COPYRIGHT.NEW");
  std::ofstream(file, std::ios::binary | std::ios::app) << "D,1\r\nD,1,1E+30,4\r\n";
  const shell::RecordsSummary summary = shell::summariseRecords(shell::readPlayRecords(m()));
  EXPECT_EQ(summary.missions, 4);
  EXPECT_EQ(summary.successes, 2);  // Earth with 16 and the short line; Mars with 48 lacks 0x40
  EXPECT_EQ(summary.episodesDone, 4);
  EXPECT_EQ(summary.courses, 1);
  run(90);
  EXPECT_EQ(m().replyText(0), sj("火星編、木星編、土星編、天王星編"));
  EXPECT_EQ(m().replyText(1), sj("海王星編、冥王星編"));
  EXPECT_EQ(var(callArgVar), 1);
}

}  // namespace
}  // namespace zav3::testing
