// The script interpreter: the game's main loop over the 35-byte script records.
#pragma once

#include "shell/game_state.hpp"

namespace zav3::scenario {

// Runs the script from the record after programCounter until an END record (which throws
// host::ProgramEnd) or until `maxRecords` records have run (0 = no limit; then it returns).
void runScript(Main& m, long maxRecords = 0);

// Executes the record in m.record (already read from record programCounter). Returns true when
// the same record is to run again ("again").
bool executeRecord(Main& m);

// Jump and call through the entry table.
void jumpToEntry(Main& m, double entry);
void callEntry(Main& m, double entry);
void returnFromCall(Main& m);

// The list display lines: each line up to the first "＾", with "@d" pairs replaced by replyText.
Bytes insertReplyTexts(Main& m, const Bytes& line);

}  // namespace zav3::scenario
