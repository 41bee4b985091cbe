// Bridge orders: the speed order's refusals and their order, the speed and course reports, the
// speed menu filter, the reception check at the edges of a broadcast, the receiver log and its
// code forms, the wait for a broadcast, the catch-up reception and the small reports.
#include "ship/bridge_orders.hpp"

#include <gtest/gtest.h>

#include "host/host.hpp"
#include "host/sjis.hpp"
#include "shell/game_state.hpp"
#include "ship/travel.hpp"

namespace zav3::ship {
namespace {

using host::sj;

constexpr Double earthX = 65201240;
constexpr Double earthY = -136892280;
constexpr Double earthZ = 5826700;

class Bridge : public ::testing::Test {
 protected:
  std::unique_ptr<host::Host> host_ = host::makeHeadlessHost();
  Main game{*host_};

  void SetUp() override {
    run(26);
    flag(860) = 1300;
  }
  void run(int routine) { game.routines.run(game, routine); }
  Single& var(int i) { return game.gameVar(i); }
  Integer& flag(int i) { return game.gameFlag(i); }
  // The ship `km` from Earth along +x.
  void offEarth(Double km) {
    game.shipState(0) = earthX + km;
    game.shipState(1) = earthY;
    game.shipState(2) = earthZ;
  }
  void order(int level) {
    var(37) = static_cast<Single>(level);
    run(11);
  }
  Reception check(Single minute) {
    return receiverCheck(game, {game.shipState(0), game.shipState(1), game.shipState(2)}, 3,
                         minute);
  }
};

TEST_F(Bridge, SpeedOrderRefusalsAndTheirOrder) {
  var(35) = 2;
  var(42) = 1;
  order(1);
  EXPECT_EQ(game.replyText(1), sj("停止"));
  EXPECT_EQ(game.replyText(2), sj("もう停止していますが？"));
  order(3);
  EXPECT_EQ(game.replyText(1), sj("前進"));
  EXPECT_EQ(game.replyText(2), sj("了解！"));
  EXPECT_EQ(var(42), 3);
  EXPECT_EQ(game.shipState(3), 60);
  order(3);
  EXPECT_EQ(game.replyText(2), sj("すでにその速度ですが？"));

  // Under repair the light fractions are refused, even the current one (the later check wins).
  var(35) = 1;
  var(42) = 5;
  order(5);
  EXPECT_EQ(game.replyText(2), sj("修理中なので無理です。"));
  order(4);
  EXPECT_EQ(game.shipState(3), 3600);

  // Broken drive: only a sixteenth of light speed is refused, over "already at that speed".
  var(35) = 0;
  var(42) = 7;
  order(7);
  EXPECT_EQ(game.replyText(1), sj("光速の１６分の１"));
  EXPECT_EQ(game.replyText(2), sj("故障中なので無理です。"));
  order(8);
  EXPECT_EQ(game.replyText(2), sj("了解！"));
  EXPECT_EQ(game.shipState(3), 2244555.0);
  order(5);
  EXPECT_EQ(game.shipState(3), 280569.40625);

  order(9);  // outside the table: named and priced as a stop
  EXPECT_EQ(game.replyText(1), sj("停止"));
  EXPECT_EQ(game.shipState(3), 0);
}

TEST_F(Bridge, CourseAndSpeedReport) {
  var(36) = 3;
  var(42) = 3;
  run(14);
  EXPECT_EQ(game.replyText(1), sj("地球に向けて"));
  EXPECT_EQ(game.replyText(2), sj("時速３６００Ｋｍで航行中です。"));
  var(42) = 0;  // outside the table: the slot keeps its text
  game.replyText(2) = "x";
  run(14);
  EXPECT_EQ(game.replyText(2), "x");
}

TEST_F(Bridge, ReceiverMustPointWhereTheBowPoints) {
  var(36) = 4;
  var(38) = 4;
  run(9);
  EXPECT_EQ(game.replyText(1), sj("火星です。"));
  var(36) = 5;
  run(9);
  EXPECT_EQ(game.replyText(1),
            sj("設定は火星ですが、艦首がその方向に@*向いていない為、受信できません。"));
  run(10);
  EXPECT_EQ(game.replyText(0), sj("木星"));
}

TEST_F(Bridge, ReceptionWindowIsTheFirst180SecondsOfABroadcastHour) {
  // 60 s of light delay: minute 364 was sent at 06:03:00.
  offEarth(299274.0 * 60);
  Reception r = check(364);
  EXPECT_TRUE(r.received);
  EXPECT_EQ(game.receivedFlag, 1);
  EXPECT_EQ(r.day, 1);
  EXPECT_EQ(r.hour, 6);
  // 59 s of delay: sent at 06:03:01.
  offEarth(299274.0 * 60 - 1);
  EXPECT_FALSE(check(364).received);
  EXPECT_EQ(game.receivedFlag, 0);

  // Sent at exactly 0 s: day 1, hour 0. Sent before the clock started: nothing.
  offEarth(0);
  r = check(0);
  EXPECT_TRUE(r.received);
  EXPECT_EQ(r.hour, 0);
  offEarth(299274.0 * 60);
  EXPECT_FALSE(check(0).received);

  // Hour 0 of day 2 is a broadcast hour; 05:00 and 13:00 are not.
  offEarth(0);
  r = check(1440);
  EXPECT_TRUE(r.received);
  EXPECT_EQ(r.day, 2);
  EXPECT_FALSE(check(300).received);
  EXPECT_FALSE(check(780).received);
  EXPECT_TRUE(check(1260).received);   // 21:00
  EXPECT_FALSE(check(1320).received);  // 22:00
}

TEST_F(Bridge, ReceiverLogCodeForms) {
  auto logged = [&](Long p, Long day, Long hour, LogForms forms) {
    writeReceiverLog(game, p, {true, day, hour}, forms);
    return flag(flag(860) - 1);
  };
  EXPECT_EQ(logged(4, 3, 12, LogForms::travel), 1274);  // 1000 + 2 x 110 + 5 x 10 + 4
  EXPECT_EQ(logged(3, 10, 21, LogForms::travel), 2670);
  EXPECT_EQ(logged(5, 10, 0, LogForms::travel), 3245);
  EXPECT_EQ(logged(9, 10, 0, LogForms::travel), 3249);
  EXPECT_EQ(logged(9, 12, 6, LogForms::travel), 3240);
  EXPECT_EQ(logged(9, 12, 7, LogForms::travel), 3241);
  EXPECT_EQ(logged(4, 12, 12, LogForms::travel), 3254);
  EXPECT_EQ(logged(5, 12, 8, LogForms::catchUp), 2245);  // 1000 + 11 x 110 + 3 x 10 + 5
  EXPECT_EQ(logged(3, 12, 8, LogForms::catchUp), 2685);  // 2660 + 2 x 11 + 3
  EXPECT_EQ(var(83), 9);
  EXPECT_EQ(logged(3, 11, 0, LogForms::travel), 2671);
  EXPECT_EQ(var(83), 0);  // Earth's day-11 broadcast empties the count

  // Earth's midnight broadcast from day 5 to 10 marks the story, during travel only.
  EXPECT_EQ(logged(3, 4, 0, LogForms::travel), 1333);
  EXPECT_EQ(flag(950), 0);
  logged(3, 5, 0, LogForms::catchUp);
  EXPECT_EQ(flag(950), 0);
  logged(3, 5, 0, LogForms::travel);
  EXPECT_EQ(flag(950), 1);
}

TEST_F(Bridge, TwentyFirstBroadcastDropsTheOldest) {
  for (int i = 0; i < 20; ++i) flag(1300 + i) = static_cast<Integer>(i + 1);
  flag(860) = 1320;
  var(83) = 20;
  writeReceiverLog(game, 4, {true, 1, 7}, LogForms::travel);
  EXPECT_EQ(var(83), 20);
  EXPECT_EQ(flag(1300), 2);
  EXPECT_EQ(flag(1318), 20);
  EXPECT_EQ(flag(1319), 1024);  // 1000 + 2 x 10 + 4
  EXPECT_EQ(flag(860), 1320);
  EXPECT_EQ(flag(1320), 0);
}

TEST_F(Bridge, LogEntriesAreReadBackOldestFirst) {
  flag(1300) = 11;
  flag(1301) = 12;
  flag(1302) = 13;
  flag(860) = 1303;
  var(83) = 3;
  for (int expected : {11, 12, 13}) {
    run(30);
    EXPECT_EQ(var(47), expected);
  }
  EXPECT_EQ(var(83), 0);
  EXPECT_EQ(flag(860), 1300);

  flag(1532) = 2;
  run(2);
  EXPECT_EQ(var(62), 13);
}

TEST_F(Bridge, WaitForBroadcastFliesTowardsTheCourse) {
  // 600 s of delay, closing 6733660 km (22 to 23 s of delay) per step at an eighth of light
  // speed. From minute 363 the moments of sending are 05:53:00, 05:56:23, 05:59:45 and then
  // 06:03:08: the 06:00 broadcast is jumped over and 07:00 is caught an hour later. Standing
  // still, minute 372 is sent at 06:02:00 and caught.
  const Double start = 299274.0 * 600;
  offEarth(start);
  var(36) = 3;
  var(47) = 3;
  var(42) = 8;
  game.shipState(3) = 2244555.0;
  var(43) = 363;
  run(8);
  EXPECT_EQ(game.replyText(2), sj("１日７時"));
  EXPECT_EQ(game.replyText(3), sj("６０分"));
  EXPECT_EQ(game.shipState(0), earthX + start);  // the real ship and clock did not move
  EXPECT_EQ(var(43), 363);
  EXPECT_EQ(var(47), 4);
  EXPECT_EQ(game.receivedFlag, 0);

  game.shipState(3) = 0;
  var(47) = 3;
  run(8);
  EXPECT_EQ(game.replyText(2), sj("１日６時"));
  EXPECT_EQ(game.replyText(3), sj("９分"));
}

TEST_F(Bridge, CatchUpReplaysTheSkippedMinutesAndRestoresTheClock) {
  offEarth(0);
  var(36) = 3;
  var(120) = 355;
  var(43) = 370;  // checks at 358, 361 (06:01: received), 364, 367, 370
  run(65);
  EXPECT_EQ(var(43), 370);
  EXPECT_EQ(var(83), 1);
  EXPECT_EQ(flag(1300), 1013);
  EXPECT_EQ(flag(1301), 0);
  EXPECT_EQ(var(49), 0);
  EXPECT_EQ(var(48), 370);
}

TEST_F(Bridge, SpeedMenuOffersOnlySpeedsThatDoNotOvershoot) {
  var(36) = 3;
  auto shown = [&]() {
    std::string s;
    for (int i = 1; i <= 8; ++i) s += game.choiceMask(i) == 0 ? '1' : '.';
    return s;
  };
  offEarth(181);
  run(55);
  EXPECT_EQ(shown(), "111.....");
  offEarth(180);
  run(55);
  EXPECT_EQ(shown(), "11......");
  offEarth(6733670);
  run(55);
  EXPECT_EQ(shown(), "1111111.");  // the eighth needs the top drive grade
  var(34) = 2;
  run(55);
  EXPECT_EQ(shown(), "11111111");

  flag(993) = 4;  // also one of the light-speed bits
  run(55);
  EXPECT_EQ(shown(), "1.......");
  flag(993) = 8;
  run(55);
  EXPECT_EQ(shown(), "1111....");
  flag(993) = 2048;
  run(55);
  EXPECT_EQ(shown(), "111111.1");
  flag(993) = 4096;
  run(55);
  EXPECT_EQ(shown(), "1.....11");

  var(34) = 0;  // without the top grade every rule is one level lower
  flag(993) = 2048;
  run(55);
  EXPECT_EQ(shown(), "11111.1.");
  flag(993) = 4096;
  run(55);
  EXPECT_EQ(shown(), "1....11.");
}

TEST_F(Bridge, WorkOrdersAndWaitingTimes) {
  var(54) = 15;
  var(37) = 6;
  var(43) = 1020;  // 17:00: out of hours, only the wave gun state is set
  run(15);
  EXPECT_EQ(var(45), 1);
  EXPECT_EQ(var(16), 0);
  EXPECT_EQ(var(54), 15);
  var(43) = 540;  // 09:00
  run(15);
  EXPECT_EQ(var(16), 12);
  EXPECT_EQ(var(71), 7);

  var(50) = 61;
  var(51) = 0.5f;
  var(37) = 5;
  run(17);
  EXPECT_EQ(game.replyText(1), sj("１時間１分"));
  var(37) = 4;
  run(17);
  EXPECT_EQ(game.replyText(1), sj("０分"));

  var(52) = 2;
  var(53) = 3;
  var(37) = 7;
  run(18);
  EXPECT_EQ(game.replyText(1), sj("３分"));  // job 2 is asked for with 9 before the stage
  flag(982) = 1;
  run(18);
  EXPECT_EQ(game.replyText(1), sj("２分"));
}

}  // namespace
}  // namespace zav3::ship
