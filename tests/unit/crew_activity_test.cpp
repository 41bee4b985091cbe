// Hourly crew activity against the generator's draws: for many starting states, a copy of the
// generator is stepped in the documented draw order and the routines must give what those draws
// decide and leave the generator where the copy ends.
#include "ship/crew_activity.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "host/host.hpp"
#include "host/sjis.hpp"
#include "shell/game_state.hpp"

namespace zav3::ship {
namespace {

class CrewActivity : public ::testing::Test {
 protected:
  std::unique_ptr<host::Host> host_ = host::makeHeadlessHost();
  Main game{*host_};
  host::Random copy;

  void run(int routine) { game.routines.run(game, routine); }
  Single& var(int i) { return game.gameVar(i); }
  // Starts the generator and its copy at the same state.
  void startAt(std::uint32_t state) {
    game.host.random.setState(state);
    copy.setState(state);
  }
  // The copy's next whole number 0..n-1.
  int draw(int n) { return static_cast<int>(std::floor(copy.next() * static_cast<Single>(n))); }
  static Single restFrom(int r) { return r == 5 ? 3.0f : r == 6 ? 4.0f : 0.0f; }
};

// 10:00: member 1 in the corridor, 2 and 5 idle in the canteen (5 has done activity 1), 3 on the
// bridge off its duty, 4 on the bridge with its cabin as duty.
TEST_F(CrewActivity, HourStepTakesItsDrawsInOrder) {
  for (std::uint32_t state = 1; state < 400'000'000; state += 999'983) {
    startAt(state);
    game.gameVar.clear();
    var(43) = 600;
    var(6) = 9;
    var(11) = 8, var(12) = 5;
    var(16) = 1;
    var(21) = 1, var(22) = 6;
    var(26) = 8, var(27) = 1, var(96) = 1;
    var(71) = 8 + 32;
    run(29);

    draw(7);  // member 1's step
    const bool oneToCanteen = draw(6) == 3;
    const int r2 = draw(7);
    Single duty2 = 0;
    Single activity2 = r2 < 2 ? 2.0f : r2 == 6 ? 1.0f : 0.0f;
    if (r2 == 4) {
      duty2 = 4;
      activity2 = restFrom(draw(7));
    }
    draw(7);  // member 3's step
    const bool threeToCanteen = draw(6) == 3;
    draw(7);  // member 4's step; its duty is its cabin, so nothing more
    const int r5 = draw(7);
    Single duty5 = 0;
    Single activity5 = r5 < 2 ? 2.0f : 0.0f;  // activity 1 was done already
    if (r5 == 4) {
      duty5 = draw(7) < 2 ? 1.0f : 7.0f;
      activity5 = restFrom(draw(7));
    }

    SCOPED_TRACE(state);
    EXPECT_EQ(var(6), oneToCanteen ? 8 : 9);
    EXPECT_EQ(var(12), duty2);
    EXPECT_EQ(var(87), activity2);
    EXPECT_EQ(var(17), threeToCanteen ? 8 : 0);
    EXPECT_EQ(var(22), 6);
    EXPECT_EQ(var(27), duty5);
    EXPECT_EQ(var(90), activity5);
    // Member 5 in the canteen does not leave it even when its duty became the bridge.
    EXPECT_EQ(var(26), 8);
    EXPECT_EQ(var(71), threeToCanteen ? 32 : 40);
    EXPECT_EQ(game.host.random.state(), copy.state());
  }
}

// Routine 46 draws 0..12 once a call; each kind of activity is given at most once.
TEST_F(CrewActivity, CrewThreeDrawsEachKindOnce) {
  for (std::uint32_t state = 7; state < 50'000'000; state += 1'234'567) {
    startAt(state);
    game.gameFlag(911) = 0;
    var(88) = 0;
    var(33) = 500;  // too long to report
    Single expected = 0;
    for (int call = 0; call < 12; ++call) {
      const int r = draw(13);
      const Integer kinds = game.gameFlag(911);
      run(46);
      if ((kinds & 1) == 0 && r < 3) expected = r == 0 ? 21.0f : r == 1 ? 11.0f : 1.0f;
      if ((kinds & 2) == 0 && r > 2 && r < 6) expected = r == 3 ? 22.0f : r == 4 ? 12.0f : 2.0f;
      SCOPED_TRACE(state);
      EXPECT_EQ(var(88), expected);
      EXPECT_EQ(game.gameFlag(911), kinds | (r < 3 ? 1 : 0) | (r > 2 && r < 6 ? 2 : 0));
    }
    EXPECT_EQ(game.host.random.state(), copy.state());
  }
}

// The repair time is reported below 240 minutes during the third repair, else below 100.
TEST_F(CrewActivity, CrewThreeReportsTheRepairTime) {
  var(33) = 125;
  game.replyText(1) = "x";
  run(46);
  EXPECT_EQ(game.replyText(1), "x");
  game.gameFlag(962) = 1;
  run(46);
  EXPECT_EQ(game.replyText(1), host::sj("２時間"));
  game.gameFlag(962) = 0;
  var(33) = 70;
  run(46);
  EXPECT_EQ(game.replyText(1), host::sj("１時間１０分"));
}

// Routine 47 steps member 1 only with a radar-room job, then member 3, one draw each.
TEST_F(CrewActivity, MembersOneAndThreeStep) {
  for (std::uint32_t state = 3; state < 90'000'000; state += 777'777) {
    for (const Single radarJob : {0.0f, 1.0f}) {
      startAt(state);
      game.gameVar.clear();
      var(84) = radarJob;
      var(7) = 9, var(17) = 9;
      var(86) = 2;  // member 1 ages to 12 and is then not idle
      game.gameFlag(951) = 0;
      run(47);
      if (radarJob != 0) draw(7);
      const int r3 = draw(7);
      SCOPED_TRACE(state);
      EXPECT_EQ(var(86), radarJob != 0 ? 12 : 2);
      EXPECT_EQ(var(7), 9);
      EXPECT_EQ(var(17), 0);
      EXPECT_EQ(var(88), r3 == 3 ? 2.0f : r3 == 6 ? 1.0f : 0.0f);
      EXPECT_EQ(var(94), r3 == 3 ? 2.0f : r3 == 6 ? 1.0f : 0.0f);
      EXPECT_EQ(game.host.random.state(), copy.state());
    }
  }
}

}  // namespace
}  // namespace zav3::ship
