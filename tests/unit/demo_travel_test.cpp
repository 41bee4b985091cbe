// The demo's flight from Mars to Earth played headless through the whole game, checked against
// a reference model of the flight written here with plain float and double arithmetic: the ship
// position, the clock, the arrival and the receiver log in the state dump, and the texts that
// announce the first broadcast and the arrival.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "shell/runner.hpp"

namespace {

namespace fs = std::filesystem;

// --- reference model ---

struct Point {
  double x, y, z;
};

// The demo's second chapter: the ship leaves Mars on day 2 at 07:30 for Earth, at the speed the
// captain accepts.
constexpr Point mars{-85314590, -224013730, 9957140};
constexpr Point earth{65201240, -136892280, 5826700};
constexpr float departureMinute = 1890;      // day 2, 07:30
constexpr double cruiseSpeed = 561138.8125;  // km per game minute, one thirty-second of light
constexpr double lightKmPerSecond = 299274;
constexpr int earthPlace = 3;

// Degrees with the game's own pi and its four-decimal sine and cosine.
constexpr float gamePi = 3.14159f;
constexpr float gameRadian = 0.01745328f;

double roundEven(double v) {
  return std::nearbyint(v);
}

float gameSin(float degrees) {
  const float radians = gamePi * degrees / 180;
  return static_cast<float>(roundEven(std::sin(static_cast<double>(radians)) * 10000) / 10000);
}
float gameCos(float degrees) {
  const float radians = gamePi * degrees / 180;
  return static_cast<float>(roundEven(std::cos(static_cast<double>(radians)) * 10000) / 10000);
}

// Direction of (dx, dy) in degrees 0..360, two decimals.
float direction(double dx, double dy) {
  const double across = dx == 0 ? static_cast<double>(9.9999997e-6f) : dx;
  float a = static_cast<float>(
      roundEven(std::atan(dy / across) / static_cast<double>(gameRadian) * 100) / 100);
  if (dx < 0) a += 180;
  if (dx >= 0 && dy < 0) a += 360;
  if (a >= 360) a -= 360;
  if (a < 0) a += 360;
  return a;
}

struct Heading {
  float elevation, azimuth;
};

Heading headingBetween(const Point& from, const Point& to) {
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  const double dz = to.z - from.z;
  Heading h{direction(std::sqrt(dx * dx + dy * dy), dz), direction(dx, dy)};
  if (h.elevation > 90 && h.elevation < 270) h.elevation = 180 - h.elevation;
  if (h.elevation >= 270) h.elevation -= 360;
  return h;
}

// Moves p by `distance` km along h, in steps of whole tens of km on each axis.
void move(Point& p, const Heading& h, double distance) {
  const double r = distance / 10;
  const float upward = gameSin(h.elevation);
  const float level = gameCos(h.elevation);
  const float across = gameSin(h.azimuth);
  const float along = gameCos(h.azimuth);
  p.x += 10.0 * static_cast<double>(std::lrint(static_cast<double>(along * level) * r));
  p.y += 10.0 * static_cast<double>(std::lrint(static_cast<double>(across * level) * r));
  p.z += 10.0 * static_cast<double>(std::lrint(static_cast<double>(upward) * r));
}

double wholeKm(const Point& a, const Point& b) {
  const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  return std::floor(std::sqrt(dx * dx + dy * dy + dz * dz));
}

struct Broadcast {
  float receivedAt;  // game minute
  long day, hour;
  int code;  // the receiver log code
};

struct Flight {
  Point ship = mars;
  float clock = departureMinute;
  std::vector<Broadcast> heard;
};

// Broadcast slot of an hour, -1 for an hour without a broadcast.
int slotOf(long hour) {
  const long hours[] = {0, 6, 7, 8, 9, 12, 15, 18, 19, 20, 21};
  for (int slot = 0; slot < 11; ++slot) {
    if (hours[slot] == hour) return slot;
  }
  return -1;
}

// Three-minute steps towards Earth until the next step would reach it; after each step the
// receiver listens to Earth at the new minute, with the sending moment delayed by the light time.
Flight flyToEarth() {
  Flight f;
  const double reach = 3 * cruiseSpeed;
  for (int step = 0; step < 10000; ++step) {
    move(f.ship, headingBetween(f.ship, earth), reach);
    const double left = wholeKm(f.ship, earth);
    f.clock += 3;
    const double sent = static_cast<double>(f.clock) * 60 - std::floor(left / lightKmPerSecond);
    if (sent >= 0) {
      const auto s = static_cast<long>(sent);
      const long day = s / 86400 + 1;
      const long hour = s % 86400 / 3600;
      const int slot = slotOf(hour);
      if (s % 3600 <= 180 && slot >= 0) {
        const int code = static_cast<int>(1000 + (day - 1) * 110 + slot * 10 + earthPlace);
        f.heard.push_back({f.clock, day, hour, code});
      }
    }
    if (reach >= left) break;
  }
  return f;
}

// --- the played game ---

// Numbers of the state dump (the save slot layout) by array.
struct Dump {
  std::vector<double> gameVar, gameFlag, shipState;
};

std::vector<double> numbersOf(const std::vector<std::string>& lines, size_t from, size_t count) {
  std::vector<double> values;
  for (size_t i = from; i < from + count; ++i) {
    std::istringstream in(lines.at(i));
    double v = 0;
    while (in >> v) values.push_back(v);
  }
  return values;
}

Dump readDump(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> lines;
  for (size_t at = 0; at < all.size();) {
    const size_t end = all.find("\r\n", at);
    if (end == std::string::npos) break;
    lines.push_back(all.substr(at, end - at));
    at = end + 2;
  }
  EXPECT_EQ(lines.size(), 502u) << "the dump is not the save slot layout";
  Dump d;
  if (lines.size() != 502) return d;
  // Lines 1..29 hold the header, masks, stack, reply texts and clock texts.
  d.gameVar = numbersOf(lines, 29, 41);    // 0..200
  d.gameFlag = numbersOf(lines, 98, 401);  // after personTableB, A and C: 0..2000
  d.shipState = numbersOf(lines, 499, 3);  // 0..10
  return d;
}

std::string fullWidth(long n) {
  std::string out;
  for (const char c : std::to_string(n)) {
    // U+FF10 .. U+FF19 in UTF-8.
    out += "\xEF\xBC";
    out += static_cast<char>(0x90 + (c - '0'));
  }
  return out;
}

class DemoTravel : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = fs::temp_directory_path() / ("zav3-demo-travel-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    // A player who always clicks the first line of a list.
    std::ofstream(dir_ / "input.txt") << "auto-click 500 55 2000\n";
    status_ = zav3::shell::runProgram(
        {ZAV3_DEMO_DIR, "--headless", "--new-game", "--work", (dir_ / "work").string(), "--input",
         (dir_ / "input.txt").string(), "--events", (dir_ / "events.txt").string(), "--dump-state",
         (dir_ / "state.txt").string()});
    std::ifstream in(dir_ / "events.txt");
    for (std::string line; std::getline(in, line);) events_.push_back(line);
    dump_ = readDump(dir_ / "state.txt");
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }

  // Some line the game showed holds `text`.
  static bool shown(const std::string& text) {
    for (const auto& line : events_) {
      if (line.find(text) != std::string::npos) return true;
    }
    return false;
  }

  static inline fs::path dir_;
  static inline int status_ = -1;
  static inline std::vector<std::string> events_;
  static inline Dump dump_;
};

TEST_F(DemoTravel, PlaysToTheEndThroughTheBridgeOrders) {
  ASSERT_EQ(status_, 0);
  EXPECT_FALSE(shown("input exhausted"));
  // The first pick of the speed list orders a stop while stopped; a later one is accepted.
  EXPECT_TRUE(shown("もう停止していますが？"));
  EXPECT_TRUE(shown("了解！"));
  EXPECT_TRUE(shown("受信機の設定、地球です。"));
  // Levels picked from the speed list: after a stop and a crawl the captain wants light speed,
  // and the filter offers the light fractions only while a step cannot reach Earth.
  std::vector<int> picked;
  bool asked = false;
  for (const auto& line : events_) {
    if (line.find("速度は――") != std::string::npos) asked = true;
    if (asked && line.rfind("chosen ", 0) == 0) {
      picked.push_back(std::stoi(line.substr(7)));
      asked = false;
    }
  }
  EXPECT_EQ(picked, (std::vector<int>{1, 2, 5, 6}));
}

TEST_F(DemoTravel, ArrivesWhereTheReferenceFlightArrives) {
  ASSERT_EQ(dump_.shipState.size(), 11u);
  ASSERT_EQ(dump_.gameVar.size(), 201u);
  const Flight f = flyToEarth();
  EXPECT_EQ(dump_.gameVar[43], f.clock);      // clockMinutes
  EXPECT_EQ(dump_.gameVar[44], 2);            // clockDay
  EXPECT_EQ(dump_.gameVar[109], earthPlace);  // arrivalCode
  EXPECT_EQ(dump_.gameVar[42], 1);            // stopped on arrival
  EXPECT_EQ(dump_.shipState[3], 0);
  // Every step lands on whole tens of km, so the positions agree exactly.
  EXPECT_EQ(dump_.shipState[0], f.ship.x);
  EXPECT_EQ(dump_.shipState[1], f.ship.y);
  EXPECT_EQ(dump_.shipState[2], f.ship.z);
  const Point at{dump_.shipState[0], dump_.shipState[1], dump_.shipState[2]};
  EXPECT_LE(wholeKm(at, earth), 3 * cruiseSpeed);
  EXPECT_GT(wholeKm(at, earth), 0);
  // The arrival is announced with the reference clock.
  const auto minutes = static_cast<long>(f.clock);
  EXPECT_TRUE(shown("６月" + fullWidth(minutes / 1440 + 1) + "日、" +
                    fullWidth(minutes % 1440 / 60) + "時、" + fullWidth(minutes % 60) + "分。"));
}

TEST_F(DemoTravel, LogsTheBroadcastsHeardOnTheWay) {
  ASSERT_EQ(dump_.gameFlag.size(), 2001u);
  const Flight f = flyToEarth();
  ASSERT_FALSE(f.heard.empty());
  ASSERT_LE(f.heard.size(), 20u);
  for (size_t i = 0; i < f.heard.size(); ++i) {
    EXPECT_EQ(dump_.gameFlag[1300 + i], f.heard[i].code) << "log entry " << i;
  }
  EXPECT_EQ(dump_.gameFlag[1300 + f.heard.size()], 0);
  // Every entry was read back on arrival: none left, the next one goes to the start again.
  EXPECT_EQ(dump_.gameVar[83], 0);
  EXPECT_EQ(dump_.gameFlag[860], 1300);
  // Before departure the receiver predicted the first of them.
  const Broadcast& first = f.heard.front();
  EXPECT_TRUE(shown("地球の次の定時放送は、" + fullWidth(first.day) + "日" + fullWidth(first.hour) +
                    "時の回です。"));
  EXPECT_TRUE(shown("受信まで、あと" +
                    fullWidth(static_cast<long>(first.receivedAt - departureMinute)) +
                    "分ほどです。"));
}

}  // namespace
