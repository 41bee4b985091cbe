// The message window: message records typed character by character with the speaker's face,
// the text codes @0..@9, @T and @*, scrolling, the typing blips and pacing, the skip log and the
// click that ends a message.
#pragma once

#include "shell/game_state.hpp"

namespace zav3::scenario {

// Screen geometry on PICTURE1.
inline constexpr int textAreaLeft = 176;
inline constexpr int textAreaTop = 311;
inline constexpr int textAreaWidth = 404;  // (176, 311) to (579, 434)
inline constexpr int textAreaHeight = 124;
inline constexpr int faceInnerMargin = 8;
inline constexpr int faceInnerWidth = 120;
inline constexpr int faceInnerHeight = 140;
inline constexpr int faceFrameWidth = 136;
inline constexpr int faceFrameHeight = 156;

// The record file number the skip log is written through while skip mode runs.
inline constexpr int skipLogFileNumber = 4;

// Font settings of a size code: '<' large, '>' small, anything else normal.
struct MessageFont {
  int size;
  int columnWidth;
  int lineHeight;
  int halfLine;
  int linesPerWindow;
};
MessageFont messageFontFor(char sizeCode);

// Shows the message records textFrom..textTo; textFrom advances past every record shown. Stops
// early when resumePending becomes true (the run resumes at textFrom later).
void showMessages(Main& m);

// Repaints the text area from the message frame and starts at its top line.
void clearTextArea(Main& m);
// The text area and the face frame's inner area; the next face is drawn whatever its code.
void clearWindowAndFace(Main& m);

// The click that ends a message or a paused line (the main form's message click wait).
void messageWait(Main& m);

// The face code a message record's face field stands for, after the defaults, the face source
// table and the costume tables (which it updates). `speaker` receives the speaker number.
Bytes resolveFaceCode(Main& m, const Bytes& faceField, Integer& speaker);

// Draws one character at `column` of the line at lineY and paces it (blip and delay), or writes
// it to the skip log in skip mode. `silent` suppresses the blip; `voice` selects its slots.
void drawMessageCharacter(Main& m, const Bytes& character, bool silent, Integer voice);

// The skip log "SKIPメッセージ.TXT" in the work folder: opened anew by skip mode (an old log
// is deleted first), appended to by the message window, closed when skip mode ends. None of them
// raises: a failure to write is reported once as a warning and the log is given up until it is
// opened anew.
void openSkipLog(Main& m);
void writeSkipLog(Main& m, const Bytes& text, bool lineEnd);
void closeSkipLog(Main& m);

}  // namespace zav3::scenario
