// The records screen (routine 90): the planet episodes finished in the plays recorded so far,
// with the courses reached, the count of missions, successes and failures, and the names of the
// episodes still open left for the script's next message.
#pragma once

#include <vector>

#include "scenario/dispatcher.hpp"
#include "shell/play_record_file.hpp"

namespace zav3::shell {

// What the records add up to.
struct RecordsSummary {
  int missions = 0;
  int successes = 0;
  Integer episodesDone = 0;  // planet bits
  Integer courses = 0;       // course bits: 1, 2, 4 Earth; 8, 16, 32 Saturn
};
RecordsSummary summariseRecords(const std::vector<PlayRecordFields>& records);

// Draws the screen for the records of the working folder; replyText(0) and (1) get the open
// episodes.
void recordsScreen(Main& m);

void registerRecordsScreen(scenario::RoutineTable& table);

}  // namespace zav3::shell
