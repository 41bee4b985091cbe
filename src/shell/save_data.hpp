// Save slots: the text layout of a saved game.
#pragma once

#include "shell/game_state.hpp"

namespace zav3::shell {

// Writes the whole saved state in the slot layout to the game path `path` (file number 3):
// the title line, the four bounds, the interpreter and option values, the reply and clock
// texts, then the arrays in blocks of five values a line.
void writeSaveLayout(Main& m, const Bytes& path, const Bytes& title);

}  // namespace zav3::shell
