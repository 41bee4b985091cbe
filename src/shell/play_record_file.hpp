// The play records of COPYRIGHT.TXT as the mission record writes them and the records screen
// reads them: lines "D" and nine
// numbers, comma-separated. The record of the play under way is added once and then kept up to
// date in place; the file is written beside the old one and replaces it only when complete.
#pragma once

#include <array>
#include <vector>

#include "shell/game_state.hpp"

namespace zav3::shell {

// The nine numbers of a play record in the order of the file: gameVar 121, gameVar 123,
// gameFlag 980, gameVar 34, gameVar 124, gameFlag 852, gameFlag 990, gameFlag 992,
// gameFlag 960.
using PlayRecordFields = std::array<Single, 9>;

// The record of the play the game state describes now.
PlayRecordFields playRecordFieldsOf(const Main& m);

// "D,a,b,...": the numbers in their decimal form without the sign blank.
Bytes playRecordFileLine(const PlayRecordFields& fields);

// Writes the record into workFolder + "COPYRIGHT.TXT": over the line that holds this play's
// record (missionEntryLine) when there is one, else as a new last line, which becomes this
// play's. Every other line stays as it was. Start-up's OR of the planet numbers
// (playRecordEndings) follows the file. Returns the record's number among the file's records
// (from 1), or 0 when the file could not be read or written: that is reported as a warning on
// the standard error and in the events, the old file is left as it was and the game goes on.
int storePlayRecord(Main& m, const PlayRecordFields& fields);

// The records of workFolder + "COPYRIGHT.TXT" in the order of the file; fields a line lacks
// are 0. No file gives none; a file that cannot be read gives none with a warning, as above.
std::vector<PlayRecordFields> readPlayRecords(Main& m);

}  // namespace zav3::shell
