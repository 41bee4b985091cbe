// The ship-mode routines as a whole: every ship number of the routine table has a routine, the
// ship song is started only when it changes, the clock-running switch is stopped, and a skip log
// that cannot be written is reported once and written again once skip mode starts anew.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/events.hpp"
#include "host/host.hpp"
#include "host/sjis.hpp"
#include "scenario/message_window.hpp"
#include "shell/game_state.hpp"

namespace zav3 {
namespace {

struct ShipRoutine {
  int number;
  bool elsewhere;  // added with the heroine's moves, the crew activity, the room pictures and
                   // the conversation partners, which are not in yet
};

// The routine table's numbers of bridge orders, travel, the clock, the heroine's moves, crew
// whereabouts and skip mode, crew activity, menu switches and bookkeeping, place and room menus,
// room pictures and conversation partners. The numbers marked `elsewhere` are only checked once
// they are registered; when they all are, the mark goes and every number is required.
constexpr ShipRoutine shipRoutines[] = {
    {1, false},   {2, false},   {3, false},   {4, false},   {5, true},    {6, true},
    {7, true},    {8, false},   {9, false},   {10, false},  {11, false},  {12, false},
    {13, false},  {14, false},  {15, false},  {16, false},  {17, false},  {18, false},
    {19, false},  {20, true},   {21, true},   {23, false},  {24, false},  {25, false},
    {26, false},  {27, false},  {28, false},  {29, true},   {30, false},  {31, false},
    {32, false},  {33, true},   {34, false},  {36, false},  {37, false},  {38, false},
    {39, false},  {40, true},   {41, true},   {42, true},   {43, true},   {44, true},
    {45, true},   {46, true},   {47, true},   {48, false},  {49, false},  {50, false},
    {51, false},  {52, false},  {53, false},  {54, false},  {55, false},  {56, false},
    {57, false},  {58, false},  {59, false},  {60, false},  {61, true},   {62, false},
    {63, false},  {64, false},  {65, false},  {66, false},  {67, false},  {68, false},
    {69, false},  {70, false},  {71, false},  {72, false},  {73, false},  {74, false},
    {75, false},  {91, false},  {92, false},  {93, false},  {94, false},  {95, true},
    {96, true},   {97, false},  {98, false},  {99, true},   {102, false}, {103, false},
    {104, false}, {105, false}, {106, false}, {107, false}, {108, false}, {109, false},
    {110, false},
};

class ShipRoutines : public ::testing::Test {
 protected:
  std::unique_ptr<host::Host> host_ = host::makeHeadlessHost();
  Main game{*host_};

  int traced(const std::string& prefix) const {
    const auto& lines = host_->trace.lines();
    return static_cast<int>(std::count_if(
        lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
  }
};

TEST_F(ShipRoutines, EveryShipNumberOfTheRoutineTableHasARoutine) {
  std::vector<int> missing;
  for (const ShipRoutine& r : shipRoutines) {
    if (!game.routines.has(r.number) && !r.elsewhere) missing.push_back(r.number);
  }
  EXPECT_TRUE(missing.empty()) << "first missing routine: " << (missing.empty() ? 0 : missing[0])
                               << " of " << missing.size();
  // The list holds routine numbers only.
  for (const ShipRoutine& r : shipRoutines) {
    EXPECT_TRUE(scenario::RoutineTable::isRoutineNumber(r.number)) << r.number;
  }
}

TEST_F(ShipRoutines, TheShipSongStartsOnlyWhenItChanges) {
  game.gameVar(1) = 1;
  game.routines.run(game, 98);
  game.routines.run(game, 98);
  EXPECT_EQ(traced("music 2"), 1);
  EXPECT_EQ(game.currentSong, 2);
  game.gameVar(1) = 5;
  game.routines.run(game, 98);
  game.routines.run(game, 98);
  EXPECT_EQ(traced("music 3"), 1);
  game.gameVar(1) = 1;
  game.routines.run(game, 98);
  EXPECT_EQ(traced("music 2"), 2);
}

// Routines 50 and 70 stop the clock-running switch: the periodic timer event runs no more.
TEST_F(ShipRoutines, TheSavePromptAndRoutine70StopTheClockRunningSwitch) {
  int ticks = 0;
  host::Events& events = *host_->events;
  events.setPeriodic(2, [&ticks] { ++ticks; });
  for (int routine : {50, 70}) {
    events.periodicOn();
    game.clockRunning = 1;
    events.sleep(2500);
    const int before = ticks;
    EXPECT_GT(before, 0);
    game.routines.run(game, routine);
    EXPECT_EQ(game.clockRunning, 0);
    events.sleep(5000);
    EXPECT_EQ(ticks, before) << "routine " << routine;
  }
  EXPECT_EQ(traced("save menu"), 0) << "no save request was made";
}

// A folder that bears the log's name stands for a log that cannot be written: one warning for a
// whole run of skipped lines; once the folder is gone, skip mode's next start writes the log.
TEST_F(ShipRoutines, AnUnwritableSkipLogIsReportedOnceAndTheGameGoesOn) {
  const auto dir = std::filesystem::temp_directory_path() / "zav3-unwritable-skip-log";
  std::filesystem::remove_all(dir);
  const auto log = dir / host::sjisToUtf8(host::sj("SKIPメッセージ.TXT"));
  std::filesystem::create_directories(log);
  game.workFolder = host_->files.paths().toGame(dir) + "\\";
  game.gameVar(48) = 1;
  ::testing::internal::CaptureStderr();
  game.routines.run(game, 104);
  EXPECT_EQ(game.gameVar(132), 60);
  for (int i = 0; i < 3; ++i) scenario::writeSkipLog(game, host::sj("あ"), true);
  game.routines.run(game, 105);
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(traced("warning: the skip log"), 1);
  EXPECT_NE(errors.find("cannot be written (error 75"), std::string::npos) << errors;
  EXPECT_EQ(game.gameVar(132), 0);

  std::filesystem::remove_all(log);
  game.routines.run(game, 104);
  scenario::writeSkipLog(game, host::sj("い"), true);
  game.routines.run(game, 105);
  std::ifstream in(log, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), host::sj("い") + "\r\n");
  EXPECT_EQ(traced("warning: the skip log"), 1);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zav3
