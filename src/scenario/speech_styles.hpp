// Speech-style endings and the small insert-text builders: routine 22 fills the reply slots
// @0..@9 with the sentence endings of the character about to speak; the duration, speed-name and
// name-list builders write the texts that ship-mode reports insert the same way.
#pragma once

#include "host/numbers.hpp"
#include "host/sjis.hpp"
#include "scenario/dispatcher.hpp"

namespace zav3 {
struct Main;
}

namespace zav3::scenario {

using host::Bytes;
using host::Single;

inline constexpr int speechStyleRoutine = 22;
// gameVar indexes the builders read and write.
inline constexpr int durationMinutesVar = 33;  // minutes for the duration text
inline constexpr int listStateVar = 47;        // callArg: which name list is being filled
inline constexpr int speakerVar = 48;          // the character whose endings are wanted

inline constexpr int speechSetCount = 5;
inline constexpr int speechSlotCount = 10;

// Ending `slot` (0..9) of set `set`; a set outside 1..5 gives set 1's. Slots: 0 past, 1 present,
// 2 negative, 3 copula, 4 emphatic negative, 5 request, 6 seeking agreement, 7 question,
// 8 explanation, 9 explanatory question.
Bytes speechEnding(int set, int slot);

// Routine 22: replyText(0..9) := the ending set of the character gameVar(48); the set is that
// character's face source entry minus 1.
void speechStyle(Main& m);

// Duration of gameVar(33) minutes into replyText(1): hours as "Ｈ時間", then whole tens of minutes
// as "ＴＴ分"; a duration under ten minutes reads "５分から１０分". Up to 5 minutes only resets
// gameVar(33) to 0 and writes nothing.
void durationText(Main& m);

// replyText(3) := the name of speed step 1..8 ("停止" .. "８分の１"); any other step leaves it.
void speedName(Main& m, Single step);

// Appends `name` to the open name list: replyText(0) while gameVar(47) < 2 (closing it once it
// held more than 15 bytes before this name), replyText(1) after that; names are separated
// by "、".
void appendName(Main& m, const Bytes& name);

void registerSpeechStyles(RoutineTable& table);

}  // namespace zav3::scenario
