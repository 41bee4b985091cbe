// Start-up of the game and the top level that runs it under the error trap.
#pragma once

#include "shell/game_state.hpp"

namespace zav3::shell {

// Folder names from the current folder: currentDrive, folderPath, programFolder and the folders
// and record file names derived from it.
void setUpFolders(Main& m);

// A new game: interpreter state back to the first record.
void startNewGame(Main& m);

// The end handler of the main form: closes the media devices and the files.
void MAINFORM_END(Main& m);

// The error trap's message: " 1234行で、エラー番号 53が発生しました" (Shift-JIS).
Bytes systemErrorText(int line, int number);

// Runs start-up and the interpreter under the game's error trap. Returns the exit status:
// 0 when the game ended normally, 1 when it ended through the error trap. `maxRecords` bounds
// the interpreter for headless runs (0 = no bound).
int runGame(Main& m, long maxRecords = 0);

}  // namespace zav3::shell
