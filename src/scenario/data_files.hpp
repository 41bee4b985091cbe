// The scenario data files: the jump-entry and speaker tables read at start-up, and the two record
// files read one record at a time (script records of 35 bytes, message records of 57 bytes).
#pragma once

#include <string_view>

#include "shell/game_state.hpp"

namespace zav3::scenario {

inline constexpr int messageFileNumber = 1;
inline constexpr int scriptFileNumber = 2;
inline constexpr int scriptRecordLength = 35;
inline constexpr int messageRecordLength = 57;

// The seven fields of a message record.
struct MessageRecord {
  Bytes text;     // 42 bytes, each stored plus 1
  Bytes length;   // 2
  Bytes size;     // 1: '<' large, '>' small
  Bytes pause;    // 1: 'S' waits for a click after the line
  Bytes chain;    // 2
  Bytes face;     // 6
  Bytes picture;  // 3
};

// Reads DATA\JMP.DAT into entryTable and DATA\MAN.DAT into personVoice/personName, each through
// file 1, closed at once. A JMP.DAT with fewer than 5001 numbers leaves the rest at 0 and says so
// on stderr.
void loadScenarioTables(Main& m);
// One line of DATA\MAN.DAT split into voice and name.
void splitSpeakerLine(std::string_view line, Integer& voice, Bytes& name);

// Opens DATA\TXT.RND as record file 1 and DATA\PRO.RND as record file 2 and declares their fields.
void openRecordFiles(Main& m);

// Reads script record n into m.record (the three views).
void readScriptRecord(Main& m, Long n);
MessageRecord readMessageRecord(Main& m, Long n);
// The text of a message record: bytes 1.. of field 1, two at a time while the position is not
// past the length field, each byte minus 1.
Bytes decodeMessageText(const MessageRecord& r);

// View B: the ten person numbers of an OP record (the first reads 0) and the list selector.
struct PersonListView {
  Integer persons[10];
  Integer list;
};
PersonListView personListView(const ScriptRecord& r);
// View C: bytes 1..34 up to the first occurrence of `mark` (a double-byte character), or all 34.
Bytes lineView(const ScriptRecord& r, std::string_view mark);

// Number read from an operand (n(aK)) and from its second character on (n(aK+)).
double operandNumber(std::string_view operand);
double prefixedNumber(std::string_view operand);

}  // namespace zav3::scenario
