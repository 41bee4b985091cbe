// Date text and time text of the current local date and time. A headless host uses a fixed
// start date that moves with its virtual clock, so runs repeat exactly.
#pragma once

#include <ctime>

#include "host/sjis.hpp"

namespace zav3::host {

// "2026/12/08" and "18:05:09" (the game only writes them into files for the player to read).
Bytes dateText(std::time_t when);
Bytes timeText(std::time_t when);

}  // namespace zav3::host
