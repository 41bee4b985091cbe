// The ship's three-minute tick: deck repair, clock and stage, skip-mode countdown, the three
// repair jobs, per-member counters, engine-room repairs, the wave gun and the end-of-tick step.
#include "ship/ship_tick.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/host.hpp"
#include "scenario/message_window.hpp"
#include "shell/game_state.hpp"

namespace zav3::ship {
namespace {

class ShipTick : public ::testing::Test {
 protected:
  std::unique_ptr<host::Host> host_ = host::makeHeadlessHost();
  Main game{*host_};

  Single& var(int i) { return game.gameVar(i); }
  Integer& flag(int i) { return game.gameFlag(i); }
  Long events() { return static_cast<Long>(var(110)); }

  void SetUp() override {
    // Everyone in their cabins, the heroine in hers (place 2), nobody near a limit.
    var(1) = 2;
    for (int i = 1; i <= 5; ++i) var(5 * i + 1) = static_cast<Single>(i + 2);
  }
  void tickTo(int minute) {
    game.targetMinute = static_cast<Single>(minute);
    shipTick(game);
  }
};

TEST_F(ShipTick, DeckRepairCountsDownBy180) {
  flag(998) = 400;
  tickTo(3);
  EXPECT_EQ(flag(998), 220);
  EXPECT_EQ(events(), 0);
  flag(998) = 100;
  tickTo(6);
  EXPECT_EQ(flag(998), 0);
  EXPECT_EQ(events(), 8192);
}

TEST_F(ShipTick, ClockDayAndTheStageSwitchRaisedOnce) {
  tickTo(1440);
  EXPECT_EQ(var(43), 1440);
  EXPECT_EQ(var(44), 2);

  var(119) = 1;
  var(36) = 4;
  tickTo(10020);  // towards place 4 the deadline is later
  EXPECT_EQ(var(119), 1);
  tickTo(11160);
  EXPECT_EQ(var(119), 3);
  EXPECT_EQ(events(), 2048);
  var(110) = 0;
  tickTo(11163);
  EXPECT_EQ(events(), 0);

  var(119) = 1;
  var(36) = 3;
  tickTo(10017);
  EXPECT_EQ(var(119), 1);
  tickTo(10020);
  EXPECT_EQ(var(119), 3);
  EXPECT_EQ(events(), 2048);
}

// The countdown's end closes the message window's skip log itself: what was logged is on disk
// at once and a later line opens the log again for appending.
TEST_F(ShipTick, SkipModeRunsOutAndClosesTheLog) {
  const auto dir = std::filesystem::temp_directory_path() / "zav3-tick-skip-log";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  game.workFolder = host_->files.paths().toGame(dir) + "\\";
  scenario::writeSkipLog(game, "A", true);
  var(132) = 5;
  tickTo(3);
  EXPECT_EQ(var(132), 2);
  EXPECT_TRUE(host_->files.isOpen(scenario::skipLogFileNumber));
  tickTo(6);
  EXPECT_EQ(var(132), 0);
  EXPECT_FALSE(host_->files.isOpen(scenario::skipLogFileNumber));
  const auto log = dir / host::sjisToUtf8(host::sj("SKIPメッセージ.TXT"));
  std::ifstream in(log, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "A\r\n");
  std::filesystem::remove_all(dir);
}

TEST_F(ShipTick, HeroinesJobEndsWhenItsTimerRunsOut) {
  var(1) = 5;
  flag(880) = 2;
  flag(901) = 1;
  var(5) = 7;  // no per-member update while the job runs
  tickTo(3);
  EXPECT_EQ(flag(880), 0);
  EXPECT_EQ(flag(901), 0);
  EXPECT_EQ(var(1), 2);  // back in her cabin
  EXPECT_EQ(var(2), 2);
  EXPECT_EQ(var(3), 60);
  EXPECT_EQ(var(4), 30);
  EXPECT_EQ(var(5), 7);
  EXPECT_EQ(var(31), 0);
  EXPECT_EQ(var(32), 120);
  EXPECT_EQ(var(63), 300);
  EXPECT_EQ(var(66), 0);
  EXPECT_EQ(var(97), 40);
  EXPECT_EQ(var(98), 0);
}

TEST_F(ShipTick, HeroinesJobStallsOnTheBridgeOrWhenHeld) {
  var(1) = 1;  // on the bridge
  flag(880) = 30;
  var(31) = 10;
  var(32) = 10;
  tickTo(3);
  EXPECT_EQ(flag(880), 30);
  EXPECT_EQ(var(31), 13);
  EXPECT_EQ(var(32), 0);

  var(1) = 5;
  flag(870) = 1;  // held
  tickTo(6);
  EXPECT_EQ(flag(880), 30);
  EXPECT_EQ(var(31), 16);

  flag(870) = 0;
  flag(880) = 0;  // no job, away from the bridge
  tickTo(9);
  EXPECT_EQ(var(31), 0);
  EXPECT_EQ(var(32), 3);

  flag(880) = 30;
  flag(998) = 1000;  // deck damage stops every job
  tickTo(12);
  EXPECT_EQ(flag(880), 30);
}

TEST_F(ShipTick, CrewJobsEndIntoTheirCabins) {
  flag(881) = 3;
  flag(882) = 4;
  flag(901) = 6;
  var(6) = 12;
  tickTo(3);
  EXPECT_EQ(flag(881), 0);
  EXPECT_EQ(flag(882), 1);
  EXPECT_EQ(flag(901), 4);
  EXPECT_EQ(var(6), 3);
  EXPECT_EQ(var(7), 3);
  EXPECT_EQ(var(8), 60);
  EXPECT_EQ(var(9), 30);
  EXPECT_EQ(var(50), 0);
  EXPECT_EQ(var(51), 120);
  EXPECT_EQ(var(64), 300);
  EXPECT_EQ(var(67), 0);
  tickTo(6);
  EXPECT_EQ(flag(882), 0);
  EXPECT_EQ(flag(901), 0);
  EXPECT_EQ(var(11), 4);
  EXPECT_EQ(var(52), 0);
  EXPECT_EQ(var(53), 120);
  EXPECT_EQ(var(65), 300);
}

TEST_F(ShipTick, IdleCrewCountersAndTheRadarRoomCountdown) {
  var(51) = 16;  // 13 is below 15: alarm bit 2
  var(53) = 18;  // 15 is not
  tickTo(3);
  EXPECT_EQ(var(51), 13);
  EXPECT_EQ(var(53), 15);
  EXPECT_EQ(flag(920), 2);

  var(51) = 0;
  var(50) = 10;
  flag(870) = 4;  // job 2 held: its work counter runs instead of the idle update
  var(52) = 7;
  var(53) = 40;
  tickTo(6);
  EXPECT_EQ(var(50), 13);
  EXPECT_EQ(var(52), 10);
  EXPECT_EQ(var(53), 40);

  var(84) = 6;
  var(7) = 12;
  tickTo(9);
  EXPECT_EQ(var(84), 3);
  EXPECT_EQ(var(7), 12);
  tickTo(12);
  EXPECT_EQ(var(84), 0);
  EXPECT_EQ(var(7), 1);  // back to the bridge duty
}

TEST_F(ShipTick, FirstPerMemberUpdateAwakeAndAsleep) {
  // Crew member 3: a = 18, b = 19, c = 20, activity 88.
  var(18) = 1, var(19) = 100, var(20) = 50;
  crewUpdate(game, 3);
  EXPECT_EQ(var(18), 0);  // 1 - 3 is raised to 0
  EXPECT_EQ(var(19), 103);
  EXPECT_EQ(var(20), 53);

  var(88) = 13;
  var(18) = 10, var(19) = 959;
  crewUpdate(game, 3);
  EXPECT_EQ(var(18), 8);
  EXPECT_EQ(var(19), 951);
  EXPECT_EQ(var(20), 54);
  var(19) = 960;
  crewUpdate(game, 3);
  EXPECT_EQ(var(19), 944);
  var(19) = 5;
  crewUpdate(game, 3);
  EXPECT_EQ(var(19), 0);
}

TEST_F(ShipTick, SecondPerMemberUpdate) {
  // The heroine working (counter 32 at 0) with a long work run: 3 + 2 extra.
  var(1) = 2;
  var(72) = 1;  // only herself at place 2
  var(31) = 1000;
  var(63) = 10, var(66) = 10;
  secondMemberUpdate(game, 0, 63, 66, 32, 85);
  EXPECT_EQ(var(63), 15);
  EXPECT_EQ(var(66), 15);
  var(31) = 1441;
  var(72) = 3;  // crew member 1 is with her
  secondMemberUpdate(game, 0, 63, 66, 32, 85);
  EXPECT_EQ(var(63), 21);
  EXPECT_EQ(var(66), 20);

  // Asleep: her values drop by the story switch 100; the rest countdown ends her sleep.
  var(32) = 5, var(85) = 13, var(100) = 2, var(97) = 3, var(98) = 4, var(72) = 1;
  secondMemberUpdate(game, 0, 63, 66, 32, 85);
  EXPECT_EQ(var(63), 18);
  EXPECT_EQ(var(66), 18);
  EXPECT_EQ(var(97), 0);
  EXPECT_EQ(var(85), 23);
  EXPECT_EQ(var(98), 1);

  // Crew member 1 resting awake by activity kind (element 112), crew member 2 asleep.
  var(6) = 3, var(73) = 2, var(51) = 10, var(67) = 100, var(86) = 0;
  const Single drop[] = {0, 4, 5, 4, 5, 0, 3, 0};
  for (int kind = 0; kind <= 7; ++kind) {
    var(112) = static_cast<Single>(kind);
    var(67) = 100;
    secondMemberUpdate(game, 1, 64, 67, 51, 86);
    EXPECT_EQ(var(67), 100 - drop[kind]) << kind;
  }
  var(11) = 4, var(74) = 4, var(53) = 1, var(87) = 13, var(65) = 2, var(68) = 50;
  secondMemberUpdate(game, 2, 65, 68, 53, 87);
  EXPECT_EQ(var(65), 0);
  EXPECT_EQ(var(68), 47);
  EXPECT_EQ(var(98), 1);  // only the heroine's countdown uses element 98
}

TEST_F(ShipTick, EngineRoomRepairs) {
  var(16) = 11;
  var(35) = 1;
  var(33) = 3;
  tickTo(3);
  EXPECT_EQ(var(33), 0);
  EXPECT_EQ(var(35), 2);
  EXPECT_EQ(events(), 32);

  var(110) = 0;
  var(136) = 1;
  var(33) = 4;
  tickTo(6);
  EXPECT_EQ(var(33), 1);
  EXPECT_EQ(var(136), 1);
  tickTo(9);
  EXPECT_EQ(var(136), 2);
  EXPECT_EQ(events(), 16384);

  var(110) = 0;
  flag(872) = 1;
  flag(962) = 2;
  var(16) = 1;  // not in the engine room: nothing progresses
  tickTo(12);
  EXPECT_EQ(flag(962), 2);
  var(16) = 11;
  tickTo(15);
  EXPECT_EQ(flag(962), 0);
  EXPECT_EQ(flag(872), 2);
  EXPECT_EQ(events(), 512);
}

TEST_F(ShipTick, WaveGunFittingByTheClock) {
  var(45) = 1;
  var(16) = 12;
  tickTo(480);  // 08:00 outside stage 4
  EXPECT_EQ(var(46), 0);
  tickTo(540);  // 09:00
  EXPECT_EQ(var(46), 3);
  var(84) = 30;  // crew member 1 helps from the radar room
  tickTo(1019);  // 16:59
  EXPECT_EQ(var(46), 9);
  tickTo(1020);  // 17:00
  EXPECT_EQ(var(46), 9);
  flag(982) = 4;
  tickTo(1440 + 120);
  EXPECT_EQ(var(46), 15);

  var(46) = 1197;
  var(84) = 0;
  flag(982) = 0;
  tickTo(1440 + 600);
  EXPECT_EQ(var(46), 1200);
  EXPECT_EQ(var(45), 2);
  EXPECT_EQ(events(), 64);
}

TEST_F(ShipTick, WaveGunCompletionSendsTheHelperBack) {
  var(45) = 1;
  var(16) = 12;
  var(46) = 1195;
  var(84) = 30;
  var(7) = 12;
  tickTo(600);
  EXPECT_EQ(var(46), 1201);
  EXPECT_EQ(var(45), 2);
  EXPECT_EQ(var(84), 0);
  EXPECT_EQ(var(7), 1);
}

TEST_F(ShipTick, CrewMemberThreeIsSentWhereTheWorkIs) {
  var(35) = 1;
  var(17) = 5;
  tickTo(3);
  EXPECT_EQ(var(17), 11);

  var(35) = 0;
  var(17) = 5;
  var(45) = 1;
  tickTo(525);  // 08:45 is not after 08:45
  EXPECT_EQ(var(17), 5);
  tickTo(528);
  EXPECT_EQ(var(17), 12);

  var(17) = 5;
  flag(870) = 8;  // held: no change
  tickTo(600);
  EXPECT_EQ(var(17), 5);
}

TEST_F(ShipTick, EndOfTickStartsJobsWhenCountersAverageAbove3000) {
  var(6) = 1;
  var(9) = 3000, var(64) = 3000, var(67) = 3000;  // average 3000 is not above
  endOfTickCrewStep(game);
  EXPECT_EQ(flag(901), 0);
  var(67) = 3003;
  var(7) = 1;
  endOfTickCrewStep(game);
  EXPECT_EQ(flag(901), 2);
  EXPECT_EQ(events(), 8);
  EXPECT_EQ(var(7), 0);

  var(110) = 4 + 32;  // a stale bit 4 is cleared...
  var(6) = 3;
  endOfTickCrewStep(game);
  EXPECT_EQ(events(), 32);
  var(1) = 1;  // ...but the heroine's own start sets it again
  var(4) = 9001;
  var(2) = 7;
  endOfTickCrewStep(game);
  EXPECT_EQ(events(), 36);
  EXPECT_EQ(flag(901), 3);
  EXPECT_EQ(var(2), 0);

  flag(880) = 5;  // her job timer still running: no new start
  flag(901) = 0;
  endOfTickCrewStep(game);
  EXPECT_EQ(flag(901), 0);
}

TEST_F(ShipTick, EndOfTickStartsOneActivity) {
  var(5) = 201;
  var(109) = 1;  // arrival pending: nothing starts
  endOfTickCrewStep(game);
  EXPECT_EQ(var(85), 0);
  var(109) = 0;
  endOfTickCrewStep(game);
  EXPECT_EQ(var(85), 1);
  EXPECT_EQ(flag(951), 1);

  flag(951) = 0;
  var(85) = 0;
  var(1) = 9;
  var(69) = 11;
  endOfTickCrewStep(game);
  EXPECT_EQ(var(2), 2);

  // The first eligible crew member wins; one in the corridor or busy is skipped.
  flag(951) = 0;
  var(85) = 5;
  var(10) = 176, var(6) = 9;
  var(15) = 221, var(87) = 0;
  var(20) = 181;
  endOfTickCrewStep(game);
  EXPECT_EQ(var(86), 0);
  EXPECT_EQ(var(87), 1);
  EXPECT_EQ(var(88), 0);
  EXPECT_EQ(flag(951), 3);

  flag(951) = 0;
  var(87) = 4;
  var(20) = 180;  // at the limit, not above
  var(25) = 251;
  endOfTickCrewStep(game);
  EXPECT_EQ(var(89), 1);
  EXPECT_EQ(flag(951), 5);
}

TEST_F(ShipTick, ATickRaisesTheHeroinesCountersBeforeTheActivityCheck) {
  var(5) = 199;  // + 3 in the tick
  tickTo(3);
  EXPECT_EQ(var(5), 202);
  EXPECT_EQ(var(85), 1);
  EXPECT_EQ(flag(951), 1);
}

}  // namespace
}  // namespace zav3::ship
