// Start-up of the game, the title menu, a new game, and the top level that runs it all under the
// game's error trap.
#pragma once

#include <optional>

#include "shell/game_state.hpp"

namespace zav3::shell {

// Folder names from the current folder: currentDrive, folderPath, programFolder and the folders
// and record file names derived from it.
void setUpFolders(Main& m);

// The working folder proposed when the program folder cannot be written to (and holds no
// records): $XDG_DATA_HOME/zav3/<game folder name> (~/.local/share without it), as the game
// path of its COPYRIGHT.TXT; nothing when the program folder is writable.
std::optional<Bytes> userDataProposal(Main& m);

// Finds or asks for the working folder and prepares COPYRIGHT.TXT, SAVEDATA and the nine slot
// files (existing files are never overwritten). Returns false when the player cancelled.
bool setUpWorkFolder(Main& m);

// Scans the play records of COPYRIGHT.TXT; sets gameVar(131) when a record beyond the first
// ending exists.
void scanPlayRecords(Main& m);

// Looks for AVI\COM.TXT from the system folder's drive up to Z:; sets movieFolder and
// moviesMissing.
void findMovieFolder(Main& m);

// The title menu: new game, or a saved game when a slot is picked and loads.
void titleMenu(Main& m);

// A new game: interpreter state back to the first record, options on.
void startNewGame(Main& m);

// The error trap's message: " 1234行で、エラー番号 53が発生しました" (Shift-JIS).
Bytes systemErrorText(int line, int number);

// Every start-up step in order, then the interpreter. Throws host::ProgramEnd when the game
// ends.
void startGame(Main& m, long maxRecords = 0);

// Only what the interpreter needs: folders, the scenario tables and record files, a new game
// with music and typing sound on; no window, title menu or pictures. For scenario tests.
void startScriptOnly(Main& m, long maxRecords = 0);

// Runs start-up and the interpreter under the game's error trap. Returns the exit status:
// 0 when the game ended normally, 1 when it ended through the error trap. `maxRecords` bounds
// the interpreter for headless runs (0 = no bound).
int runGame(Main& m, long maxRecords = 0, bool scriptOnly = false);

}  // namespace zav3::shell
