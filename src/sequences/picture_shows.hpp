// The opening (routine 100) and the ending (routine 101): picture shows timed against their
// song. Each step waits until its time has come on the music's own clock, then changes the
// picture or types lines of narration or credits; a click ends the show at once. Without music
// the opening becomes a click-through of five pictures and the ending keeps its times on the
// game clock.
#pragma once

#include <vector>

#include "scenario/dispatcher.hpp"
#include "shell/game_state.hpp"

namespace zav3::sequences {

enum class Change { none, clear, half, full, zoom };
enum class Writer {
  centred,   // centred and typed (OPEN_MES1) at the show's line position
  middle,    // centred in the text band (OPEN_MES_X, then typed)
  left,      // typed from the band's left margin
};
struct Line {
  Writer writer;
  Integer speed;  // 20 ms units after each character
};
struct Step {
  double seconds;  // after the start of the music
  Change change;
  int picture;
  std::vector<Line> lines;
};

// The schedules. The text lines of a show come from its text file in order.
const std::vector<Step>& openingSchedule();
const std::vector<Step>& endingSchedule();

void opening(Main& m);
void ending(Main& m);

void registerPictureShows(scenario::RoutineTable& table);

}  // namespace zav3::sequences
