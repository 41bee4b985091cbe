// The keyboard, the wheel and game controllers (which stand for keys) beyond clicks: Space,
// Enter and the wheel go on at a message, the arrows and Enter work list windows, Escape opens
// and closes the option menu, Page Up and the wheel open the message history and scroll it, F12
// saves a screenshot in the working folder.
#pragma once

#include "host/events.hpp"
#include "shell/game_state.hpp"

namespace zav3::shell {

// Registers the KEY_DOWN and MOUSE_WHEEL procedures.
void registerInputComforts(Main& m, host::Events& events);

}  // namespace zav3::shell
