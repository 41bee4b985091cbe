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

// The routine table's numbers of bridge orders, travel, the clock, the heroine's moves, crew
// whereabouts and skip mode, crew activity, menu switches and bookkeeping, place and room menus,
// room pictures and conversation partners: every one must have a routine.
constexpr int shipRoutines[] = {
    1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 23, 24, 25, 26, 27,
    28, 29, 30, 31, 32, 33, 34, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51,
    52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74,
    75, 91, 92, 93, 94, 95, 96, 97, 98, 99, 102, 103, 104, 105, 106, 107, 108, 109, 110
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
  for (int n : shipRoutines) {
    if (!game.routines.has(n)) missing.push_back(n);
  }
  EXPECT_TRUE(missing.empty()) << "first missing routine: " << (missing.empty() ? 0 : missing[0])
                               << " of " << missing.size();
  // The list holds routine numbers only.
  for (int n : shipRoutines) EXPECT_TRUE(scenario::RoutineTable::isRoutineNumber(n)) << n;
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
