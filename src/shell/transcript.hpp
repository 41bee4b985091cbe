// What a player would read, written out as the game shows it: the speakers and their lines,
// the lists, the options of each choice and the one taken, and message boxes. A headless play
// prints it (`--transcript`), in UTF-8.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "shell/game_state.hpp"

namespace zav3::shell {

// A listener for the game's events lines that writes the transcript to `out`.
std::function<void(const std::string&)> transcriptWriter(Main& m, std::FILE* out);

}  // namespace zav3::shell
