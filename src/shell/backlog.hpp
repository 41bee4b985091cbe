// The message history: every line the message window shows is remembered (the last few
// thousand), and a scrollable page of them can be opened over the game from a message's click
// wait (the wheel turned up, or Page Up) and closed again (the wheel down past the end, Page
// Down past it, Escape, a right click). It never changes the game: the screen under it comes
// back as it was.
#pragma once

#include "shell/game_state.hpp"

namespace zav3::shell {

// A line the message window shows, with the face code of its record.
void rememberLine(Main& m, const Bytes& face, const Bytes& text);

// Shows the history until the player closes it.
void runBacklog(Main& m);

}  // namespace zav3::shell
