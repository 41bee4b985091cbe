// Destinations and travel: the new game, distance and duration texts, the place and position
// reports, the travel estimates, the moving place and the travel step's arrival, reception and
// story rules, run through the routine table as the script runs them.
#include "ship/travel.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "host/host.hpp"
#include "host/sjis.hpp"
#include "shell/game_state.hpp"

namespace zav3::ship {
namespace {

using host::sj;

constexpr Double earthX = 65201240;
constexpr Double earthY = -136892280;
constexpr Double earthZ = 5826700;
constexpr Double startXZ = 6452845870;

class Travel : public ::testing::Test {
 protected:
  std::unique_ptr<host::Host> host_ = host::makeHeadlessHost();
  Main game{*host_};

  void SetUp() override { run(26); }
  void run(int routine) { game.routines.run(game, routine); }
  Single& var(int i) { return game.gameVar(i); }
  Integer& flag(int i) { return game.gameFlag(i); }
  void placeShip(Double x, Double y, Double z) {
    game.shipState(0) = x;
    game.shipState(1) = y;
    game.shipState(2) = z;
  }
  // Course and receiver on a place, the ship at the given speed level and km per minute.
  void under(int course, int level, Double speed) {
    var(36) = static_cast<Single>(course);
    var(42) = static_cast<Single>(level);
    game.shipState(3) = speed;
  }
};

TEST_F(Travel, NewGameClearsEverythingAndStartsTheShipOutsideTheSystem) {
  var(43) = 999;
  flag(1300) = 5;
  game.shipState(7) = 3;
  run(26);
  EXPECT_EQ(var(43), 0);
  EXPECT_EQ(flag(1300), 0);
  EXPECT_EQ(game.shipState(7), 0);
  EXPECT_EQ(game.shipState(0), startXZ);
  EXPECT_EQ(game.shipState(2), startXZ);
  EXPECT_EQ(game.placeName(12), sj("中継ステーション"));
  EXPECT_EQ(game.placePos(9).z, -473407380.0);
  EXPECT_EQ(game.sinTable(90), 1.0f);
}

TEST(DistanceText, SplitsIntoHundredMillionsAndTenThousands) {
  EXPECT_EQ(distanceText(9076607273), sj("９０億７６６０万７２７３Ｋｍ"));
  EXPECT_EQ(distanceText(100000000), sj("１億Ｋｍ"));
  EXPECT_EQ(distanceText(10000), sj("１万Ｋｍ"));
  EXPECT_EQ(distanceText(100000001), sj("１億１Ｋｍ"));
  EXPECT_EQ(distanceText(9999), sj("９９９９Ｋｍ"));
  EXPECT_EQ(distanceText(0), sj("Ｋｍ"));
}

TEST(DurationText, DaysHoursMinutesOrSeconds) {
  EXPECT_EQ(durationText(3600), sj("１時間"));
  EXPECT_EQ(durationText(90061), sj("１日と１時間１分"));
  EXPECT_EQ(durationText(59), sj("５９秒"));
  EXPECT_EQ(durationText(60), sj("１分"));
  EXPECT_EQ(durationText(86400), sj("１日と"));
  EXPECT_EQ(durationText(86459), sj("１日と"));
  EXPECT_EQ(durationText(0), sj("０秒"));
}

TEST_F(Travel, PlaceCoordinatesAndDistanceFromTheStart) {
  var(49) = 3;
  run(68);
  EXPECT_EQ(game.replyText(1), sj("　６５２０１２４０"));  // the sign position is kept
  EXPECT_EQ(game.replyText(2), sj("－１３６８９２２８０"));
  EXPECT_EQ(game.replyText(4), sj("９０億７６６０万７２７３Ｋｍ"));
  EXPECT_EQ(game.replyText(6), game.replyText(4));
  EXPECT_EQ(game.replyText(5), "");

  // Rounded down to thousands, towards minus infinity; the pirate base reports into slot 5.
  var(48) = 1;
  run(68);
  EXPECT_EQ(game.replyText(2), sj("－１３６８９３０００"));
  var(49) = 10;
  game.replyText(6) = "";
  run(68);
  EXPECT_EQ(game.replyText(5), game.replyText(4));
  EXPECT_EQ(game.replyText(6), "");
}

TEST_F(Travel, EstimateWhileStoppedUsesTheDrivesMaximumAndRestoresTheSpeed) {
  under(3, 1, 0);
  placeShip(1, 2, 3);  // recomputed from the leg: still at its departure place
  flag(1529) = 13;
  game.shipState(3) = 42;
  run(13);
  EXPECT_EQ(game.shipState(0), startXZ);
  EXPECT_EQ(game.shipState(2), startXZ);
  EXPECT_EQ(game.shipState(3), 42);
  EXPECT_EQ(var(47), 4);
  EXPECT_EQ(game.replyText(1), sj("最大速度で地球まで"));
  // 9076607273 / 561138.8125 = 16175 minutes = 11 d 5 h 35 min
  EXPECT_EQ(game.replyText(2), sj("１１日と５時間３５分かかります。"));

  var(35) = 2;
  var(34) = 2;  // 4043 minutes at an eighth of light speed
  run(13);
  EXPECT_EQ(game.replyText(2), sj("２日と１９時間２３分かかります。"));
  var(34) = 0;  // 8087 minutes at a sixteenth
  run(13);
  EXPECT_EQ(game.replyText(2), sj("５日と１４時間４７分かかります。"));
}

TEST_F(Travel, EstimateHonoursAFixedArrivalMinute) {
  under(4, 3, 60);
  flag(1529) = 3;
  var(43) = 20;
  flag(930) = 80;
  run(13);
  EXPECT_EQ(game.replyText(1), sj("現在の速度で火星まで"));
  EXPECT_EQ(game.replyText(2), sj("１時間かかります。"));
}

TEST_F(Travel, MovingPlaceLeavesSaturnTowardsEarth) {
  const SpacePoint saturn = game.placePos(6);
  var(43) = 10480;  // ten minutes out: 5611390 km, as far as four-decimal sines allow
  run(67);
  const SpacePoint p = game.placePos(11);
  const Double fromSaturn = std::hypot(p.x - saturn.x, p.y - saturn.y, p.z - saturn.z);
  EXPECT_NEAR(fromSaturn, 5611390, 600);
  const Double saturnToEarth = std::hypot(saturn.x - earthX, saturn.y - earthY, saturn.z - earthZ);
  const Double toEarth = std::hypot(p.x - earthX, p.y - earthY, p.z - earthZ);
  EXPECT_NEAR(saturnToEarth - toEarth, 5611390, 600);
  EXPECT_EQ(game.shipState(4), p.x);
  EXPECT_EQ(game.shipState(7), 561139);
}

TEST_F(Travel, ArrivalBeforeStageThreeStopsTheShipWithinOneStep) {
  placeShip(earthX + 300, earthY, earthZ);
  under(3, 3, 60);
  run(28);
  EXPECT_EQ(var(109), 3);
  EXPECT_EQ(var(42), 1);
  EXPECT_EQ(game.shipState(3), 0);
  EXPECT_EQ(game.shipState(0), earthX + 120);  // one 180 km step, then the call ends
  EXPECT_EQ(var(43), 3);
  EXPECT_EQ(game.courseAzimuth, 180);
  EXPECT_EQ(game.courseElevation, 0);
}

TEST_F(Travel, NoAutomaticArrivalPassesThePlaceImmediateArrivalNeedsNone) {
  placeShip(earthX + 300, earthY, earthZ);
  under(3, 3, 60);
  var(119) = 1;
  run(28);
  EXPECT_EQ(var(109), 0);
  EXPECT_EQ(game.shipState(3), 60);
  EXPECT_EQ(var(43), 15);
  // 300 -> 120 -> -60 -> 120 -> -60 -> 120 km past Earth on x
  EXPECT_EQ(game.shipState(0), earthX + 120);

  run(26);
  under(5, 1, 0);
  var(119) = 3;
  run(28);
  EXPECT_EQ(var(109), 5);
  EXPECT_EQ(var(43), 3);
}

TEST_F(Travel, LaterStagesSlowDownOrStopByDistance) {
  // 11000000 km out at an eighth of light speed: one step leaves 4266340 km.
  auto approach = [&](int stage, Integer switches) {
    run(26);
    placeShip(earthX + 11000000, earthY, earthZ);
    under(3, 8, 2244555.0);
    flag(982) = static_cast<Integer>(stage);
    flag(980) = switches;
    run(28);
  };
  approach(3, 0);
  EXPECT_EQ(var(109), 11);
  EXPECT_EQ(var(42), 6);
  EXPECT_EQ(game.shipState(3), 561138.8125);
  approach(3, 8);
  EXPECT_EQ(var(109), 11);
  EXPECT_EQ(game.shipState(3), 0);
  approach(4, 0);
  EXPECT_EQ(var(109), 10);
  EXPECT_EQ(var(42), 1);
  approach(5, 0);
  EXPECT_EQ(var(109), 12);
}

TEST_F(Travel, ReceptionInTheSecondStepEndsTheCallAndIsLogged) {
  // From the start Earth is 9076607273 km away: 30328 s of light delay. Minute 863 is sent at
  // 05:57:32 (nothing), minute 866 at 06:00:32 (the 06:00 broadcast).
  under(3, 1, 0);
  var(38) = 3;
  var(43) = 860;
  flag(860) = 1300;
  flag(1357) = 7;
  run(28);
  EXPECT_EQ(var(43), 866);
  EXPECT_EQ(game.receivedFlag, 1);
  EXPECT_EQ(flag(1300), 1013);  // day 1, slot 1, Earth
  EXPECT_EQ(flag(860), 1301);
  EXPECT_EQ(var(83), 1);
  EXPECT_EQ(flag(1357), 0);

  // Tuned elsewhere: nothing is received and all five steps run.
  var(38) = 4;
  var(43) = 860;
  flag(1357) = 7;
  run(28);
  EXPECT_EQ(var(43), 875);
  EXPECT_EQ(flag(1357), 7);
}

TEST_F(Travel, DayTenAndElevenStoryChecks) {
  under(3, 1, 0);
  var(43) = 12960;
  run(28);
  EXPECT_EQ(flag(852), 16);
  EXPECT_EQ(var(47), 0);  // イズモ is far from the ship
  EXPECT_NE(game.placePos(11).x, 0);

  flag(852) = 32;
  var(43) = 14400;
  run(28);
  EXPECT_EQ(static_cast<Long>(var(110)) & 4096, 4096);
  EXPECT_EQ(flag(990), 1);
  var(36) = 4;
  run(28);
  EXPECT_EQ(flag(990), 5);
}

}  // namespace
}  // namespace zav3::ship
