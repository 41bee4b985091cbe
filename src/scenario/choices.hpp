// Choice blocks: the script records from Q to QE, the option list shown in the list window,
// the answer messages, and the paged list of persons asked about by kind O options.
#pragma once

#include <vector>

#include "shell/game_state.hpp"

namespace zav3::scenario {

// Runs the choice block whose Q record is record programCounter (already in m.record). Leaves
// programCounter on the record after which the script goes on (the QE record when the block is
// left, an entry's record - 1 after a jump). When a message of the block is interrupted
// (resumePending), programCounter is left alone so that the Q record runs again.
void runChoiceBlock(Main& m);

// One page of the person list: the lines offered and the person of each (0 for the paging line).
struct PersonPage {
  std::vector<Bytes> lines;
  std::vector<Integer> persons;
  Integer last = 0;  // the last person listed
};
// The page of the persons of list A from person `start` up to person `end` (at most 9 lines).
PersonPage personPage(const Main& m, Integer start, Integer end);

}  // namespace zav3::scenario
