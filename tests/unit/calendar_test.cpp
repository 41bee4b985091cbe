// The game clock: day/hour/minute split, the clock texts, and the clock routines run through
// the routine table as the script runs them.
#include "ship/calendar.hpp"

#include <gtest/gtest.h>

#include "host/host.hpp"
#include "host/sjis.hpp"
#include "shell/game_state.hpp"

namespace zav3::ship {
namespace {

using host::sj;

class Clock : public ::testing::Test {
 protected:
  std::unique_ptr<host::Host> host_ = host::makeHeadlessHost();
  Main game{*host_};

  void run(int routine) { game.routines.run(game, routine); }
  // Sets the clock to day d, h:mm.
  void at(int day, int hour, int minute) {
    game.gameVar(43) = static_cast<Single>((day - 1) * 1440 + hour * 60 + minute);
  }
  Single clock() { return game.gameVar(43); }
};

TEST(ClockSplit, DayHourAndMinuteAtTheBoundaries) {
  ClockParts p = splitClock(1439);
  EXPECT_EQ(p.day, 1);
  EXPECT_EQ(p.hour, 23);
  EXPECT_EQ(p.minute, 59);
  p = splitClock(1440);
  EXPECT_EQ(p.day, 2);
  EXPECT_EQ(p.hour, 0);
  EXPECT_EQ(p.minute, 0);
  p = splitClock(0);
  EXPECT_EQ(p.day, 1);
  EXPECT_EQ(p.hour, 0);
  p = splitClock(3630);
  EXPECT_EQ(p.day, 3);
  EXPECT_EQ(p.hour, 12);
  EXPECT_EQ(p.minute, 30);
  p = splitClock(59);
  EXPECT_EQ(p.hour, 0);
  EXPECT_EQ(p.minute, 59);
}

TEST(ClockTexts, DateDayHourAndBroadcastOrigins) {
  EXPECT_EQ(dateTimeText(splitClock(0)), sj("６月１日、０時、０分"));
  EXPECT_EQ(dateTimeText(splitClock(1439 + 1440 * 9)), sj("６月１０日、２３時、５９分"));
  EXPECT_EQ(dayHourText(3, 12), sj("３日１２時"));

  Bytes name = "keep";
  Bytes text;
  broadcastOriginText(4, 2, 5, name, text);  // slot 5 is noon
  EXPECT_EQ(name, sj("火星"));
  EXPECT_EQ(text, sj("２日、午後０時"));
  broadcastOriginText(2, 1, 0, name, text);  // no origin for place 2: the name stays
  EXPECT_EQ(name, sj("火星"));
  EXPECT_EQ(text, sj("１日、午前０時"));
  const char* expected[] = {"午前０時", "午前６時", "午前７時", "午前８時", "午前９時", "午後０時",
                            "午後３時", "午後６時", "午後７時", "午後８時", "午後９時"};
  for (Integer slot = 0; slot <= 10; ++slot) {
    broadcastOriginText(9, 11, slot, name, text);
    EXPECT_EQ(text, sj(std::string("１１日、") + expected[slot])) << slot;
  }
  EXPECT_EQ(name, sj("冥王星"));
}

TEST_F(Clock, BroadcastOriginsFillFourSlotsAndTheCode) {
  game.gameFlag(1538) = 3, game.gameFlag(1539) = 1, game.gameFlag(1540) = 2;
  game.gameFlag(1541) = 8, game.gameFlag(1542) = 4, game.gameFlag(1543) = 7;
  run(57);
  EXPECT_EQ(game.gameVar(125), 3 * 110 + 70 + 8);
  EXPECT_EQ(game.replyText(0), sj("中央ステーション"));
  EXPECT_EQ(game.replyText(1), sj("１日、午前７時"));
  EXPECT_EQ(game.replyText(2), sj("海王星のトリトン"));
  EXPECT_EQ(game.replyText(3), sj("４日、午後６時"));
}

TEST_F(Clock, DateReportAndOfficeHours) {
  game.gameVar(43) = 3630;
  run(16);
  EXPECT_EQ(game.replyText(1), sj("６月３日、１２時、３０分"));

  game.gameVar(45) = 1;
  const struct {
    int hour, minute, flag;
  } cases[] = {{9, 0, 1}, {16, 59, 1}, {17, 0, 0}, {8, 59, 0}, {0, 0, 0}};
  for (const auto& c : cases) {
    game.gameFlag(1535) = 7;
    at(4, c.hour, c.minute);
    run(4);
    EXPECT_EQ(game.gameFlag(1535), c.flag) << c.hour << ":" << c.minute;
  }
  game.gameVar(45) = 2;  // only while the wave gun is being fitted
  game.gameFlag(1535) = 7;
  at(1, 10, 0);
  run(4);
  EXPECT_EQ(game.gameFlag(1535), 7);
}

TEST_F(Clock, HourMenuOffersTheHoursUntilFiveAndAlwaysTheFirst) {
  auto shown = [&](int hour) {
    for (int i = 1; i <= 10; ++i) game.choiceMask(i) = 1;
    at(2, hour, 30);
    run(31);
    std::vector<int> result;
    for (int i = 1; i <= 10; ++i) {
      if (game.choiceMask(i) == 0) result.push_back(i);
    }
    return result;
  };
  EXPECT_EQ(shown(10), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(shown(15), (std::vector<int>{1}));
  EXPECT_EQ(shown(16), (std::vector<int>{1}));
  EXPECT_EQ(shown(23), (std::vector<int>{1}));
  EXPECT_EQ(shown(9), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(shown(2).size(), 10u);  // more hours than options: every option is offered

  for (int i = 1; i <= 10; ++i) game.choiceMask(i) = 0;
  at(1, 14, 0);
  run(31);
  EXPECT_EQ(game.choiceMask(3), 1);  // options 3..7 hidden, 8..10 untouched
  EXPECT_EQ(game.choiceMask(7), 1);
  EXPECT_EQ(game.choiceMask(8), 0);
}

TEST_F(Clock, TimeLeftOfTheWaveGunFitting) {
  auto report = [&](Single done, Single radar) {
    game.gameVar(46) = done;
    game.gameVar(84) = radar;
    game.gameVar(49) = 9;
    run(48);
    return game.replyText(0);
  };
  EXPECT_EQ(report(0, 0), sj("２０時間"));
  EXPECT_EQ(game.gameVar(49), 0);
  EXPECT_EQ(report(1, 0), sj("１９時間５９分"));
  EXPECT_EQ(report(1110, 0), sj("１時間３０分"));
  EXPECT_EQ(report(1140, 0), sj("６０分"));
  EXPECT_EQ(report(1199, 0), sj("１分"));
  EXPECT_EQ(report(0, 1), sj("１０時間"));  // two working on it halve the time
  EXPECT_EQ(game.gameVar(49), 1);
  EXPECT_EQ(report(1075, 1), sj("１時間２分"));    // 125 \ 2 = 62
  EXPECT_EQ(report(1000, 2), sj("３時間２０分"));  // only the value 1 halves
  EXPECT_EQ(game.gameVar(49), 0);
}

TEST_F(Clock, SetClockFromAPackedValue) {
  game.gameVar(133) = 31230;
  run(63);
  EXPECT_EQ(clock(), 3630);
  EXPECT_EQ(game.gameVar(44), 3);
  EXPECT_EQ(game.gameVar(133), 0);

  game.gameVar(133) = 10000;  // not above 10000: unchanged
  run(63);
  EXPECT_EQ(clock(), 3630);
  EXPECT_EQ(game.gameVar(133), 0);

  game.gameVar(133) = 10001;
  run(63);
  EXPECT_EQ(clock(), 1);
  EXPECT_EQ(game.gameVar(44), 1);

  game.gameVar(133) = 112359;
  run(63);
  EXPECT_EQ(clock(), 10 * 1440 + 23 * 60 + 59);
  EXPECT_EQ(game.gameVar(44), 11);
}

TEST_F(Clock, HourWindowAcrossMidnight) {
  auto window = [&](Single a, Single b, int hour, int minute) {
    game.gameVar(47) = a;
    game.gameVar(48) = b;
    game.gameVar(49) = 5;
    at(3, hour, minute);
    run(73);
    EXPECT_EQ(clock(), (3 - 1) * 1440 + hour * 60 + minute);  // a window test never moves it
    return game.gameVar(49);
  };
  EXPECT_EQ(window(22, 2, 23, 10), 1);
  EXPECT_EQ(window(22, 2, 1, 59), 1);
  EXPECT_EQ(window(22, 2, 3, 0), 0);
  EXPECT_EQ(window(22, 2, 21, 59), 0);
  EXPECT_EQ(window(9, 17, 17, 59), 1);
  EXPECT_EQ(window(9, 17, 18, 0), 0);
  EXPECT_EQ(window(9, 17, 8, 59), 0);
  EXPECT_EQ(window(9, 17, 9, 0), 1);
}

TEST_F(Clock, WaitForAnHour) {
  auto wait = [&](Single result, int hour, int minute) {
    game.gameVar(47) = 9;
    game.gameVar(48) = 9;
    game.gameVar(49) = result;
    at(2, hour, minute);
    run(73);
    return clock();
  };
  EXPECT_EQ(wait(0, 9, 0), 1440 + 540);  // exactly at the hour: stays
  EXPECT_EQ(game.gameVar(49), 1);
  EXPECT_EQ(wait(0, 9, 1), 2 * 1440 + 540);  // just past: tomorrow
  EXPECT_EQ(wait(0, 8, 0), 1440 + 480);      // other hours need the armed result
  EXPECT_EQ(game.gameVar(49), 0);
  EXPECT_EQ(wait(0, 10, 0), 1440 + 600);
  EXPECT_EQ(wait(1, 8, 0), 1440 + 540);       // later today
  EXPECT_EQ(wait(1, 10, 0), 2 * 1440 + 540);  // tomorrow
  EXPECT_EQ(wait(2, 10, 0), 1440 + 540);      // today's hour even when it has passed
  EXPECT_EQ(wait(2, 3, 0), 1440 + 540);
  EXPECT_EQ(wait(3, 3, 0), 1440 + 180);  // any other result keeps the clock
}

}  // namespace
}  // namespace zav3::ship
