// Save slots: the text layout of a saved game.
#pragma once

#include "shell/game_state.hpp"

namespace zav3::shell {

// Writes the whole saved state in the slot layout to the game path `path` (file number 3):
// the title line, the four bounds, the interpreter and option values, the reply and clock
// texts, then the arrays in blocks of five values a line.
void writeSaveLayout(Main& m, const Bytes& path, const Bytes& title);

}  // namespace zav3::shell

namespace zav3::shell {

// Reads save slot n (1..9) and restores it: the file is read and checked whole first, so a
// short or damaged slot changes nothing; it is then applied (routine 26 re-creates the script
// variables first) and the restore steps run (options, song, scene picture, caption). Returns
// false, after a box naming the slot, when the slot cannot be used.
bool loadSlot(Main& m, int slot);

}  // namespace zav3::shell

namespace zav3::shell {

// Writes save slot n (1..9) with a new date-and-time title. The file is written beside the old
// one and replaces it only when complete; a failure leaves the old slot and shows a box.
bool saveSlot(Main& m, int slot);
// The option menu's save and load lists: "キャンセル" and the nine slot titles.
void saveMenu(Main& m);
void loadMenu(Main& m);

}  // namespace zav3::shell
