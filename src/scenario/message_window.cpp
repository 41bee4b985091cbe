// The message window: faces, typing with the bold three-draw face, text codes, scrolling, pacing,
// the skip log and the end-of-message click.
#include "scenario/message_window.hpp"

#include <array>
#include <cmath>
#include <cstdio>
#include <span>
#include <string>

#include "host/bmp.hpp"
#include "host/drawing.hpp"
#include "host/error.hpp"
#include "scenario/data_files.hpp"
#include "scenario/interpreter.hpp"
#include "shell/backlog.hpp"
#include "shell/main_form.hpp"
#include "shell/pictures.hpp"

namespace zav3::scenario {

namespace {

bool skipMode(const Main& m) {
  return m.gameVar(132) > 0;
}

// Two-digit form of a small number: 7 gives "07".
Bytes twoDigits(long value) {
  std::string s = std::to_string(value);
  if (s.size() < 2) s.insert(0, 1, '0');
  return s;
}

long numberOf(std::string_view text) {
  return host::toLong(host::textToNumber(text));
}

void send(Main& m, const Bytes& command) {
  if (m.soundDeviceUsable && m.soundCommand) m.soundCommand(m, command);
}

// Characters typed without a blip.
bool isQuietCharacter(const Bytes& c) {
  static const std::array<Bytes, 7> quiet = {host::sj("『"), host::sj("』"), host::sj("、"),
                                             host::sj("。"), host::sj("・"), host::sj("！"),
                                             host::sj("？")};
  static const Bytes blank = host::sj("　");
  if (c == blank) return true;
  for (const Bytes& q : quiet) {
    if (c == q) return true;
  }
  return false;
}

// Ctrl held by the player hurries the typing (a comfort of the window display only).
bool hurried(Main& m) {
  return (m.host.events->modifiers() & 2) != 0;
}

void pace(Main& m, bool silent, Integer voice, const Bytes& character) {
  if (hurried(m)) return;
  if (!silent && !isQuietCharacter(character)) {
    const long v = voice + (m.typingSoundAlternate ? 1 : 0);
    m.typingSoundAlternate = !m.typingSoundAlternate;
    send(m, "PLAY WAV1 FROM " + std::to_string(v * 1000 + 1) + " TO " +
                std::to_string(v * 1000 + 850));
  }
  const Integer delay = m.textDelay;
  if (delay / 100 > 0) m.host.clock->sleepMs(static_cast<std::int64_t>(delay / 100) * 10);
  // The fine delay: (textDelay MOD 100) x 40 steps of 1 µs, slept as whole milliseconds
  // (rounded; at most 4 ms).
  const long steps = static_cast<long>(delay % 100) * 40;
  const auto fineMs = static_cast<std::int64_t>(std::lround(static_cast<double>(steps) / 1000.0));
  if (fineMs > 0) m.host.clock->sleepMs(fineMs);
}

// The size code sets the font of PICTURE1 itself; anything else that sets that font (the list
// window sets 16) is seen by the next characters until the size code changes again.
void applySizeCode(Main& m, const Bytes& size) {
  const MessageFont f = messageFontFor(size.empty() ? ' ' : size[0]);
  m.host.forms.setFontSize(m.PICTURE1, f.size);
  m.messageColumnWidth = static_cast<Integer>(f.columnWidth);
  m.messageLineHeight = static_cast<Integer>(f.lineHeight);
  m.messageHalfLine = static_cast<Integer>(f.halfLine);
  m.linesPerWindow = static_cast<Integer>(f.linesPerWindow);
}

void drawFace(Main& m, const Bytes& code) {
  host::Surface& screen = m.host.forms.surface(m.PICTURE1);
  const double x = m.frameX(1);
  const double y = m.frameY(1);
  try {
    const host::BmpImage face = host::loadBmp(m.host.files, m.faceFolder + code + ".BMP");
    host::drawBitmap(screen, face.surface, x, y);
  } catch (const host::RuntimeError&) {
    host::copyRect(screen, x, y, faceFrameWidth, faceFrameHeight, m.host.forms.surface(m.P4), 0, 0);
    shell::printText(m, m.PICTURE1, static_cast<Single>(x + faceInnerMargin),
                     static_cast<Single>(y + faceInnerMargin), code, 15);
  }
}

// Scrolls the text area up by one line in two half-line steps.
void scrollTextArea(Main& m) {
  host::Surface& screen = m.host.forms.surface(m.PICTURE1);
  const int half = m.messageHalfLine;
  for (int step = 0; step < 2; ++step) {
    host::copyRect(screen, textAreaLeft, textAreaTop, textAreaWidth, textAreaHeight - half, screen,
                   textAreaLeft, textAreaTop + half);
  }
}

void traceRecord(Main& m, const MessageRecord& r, const Bytes& text) {
  m.host.trace.line("  " + std::to_string(m.textFrom) + " [" + host::sjisToUtf8(r.face) + "] " +
                    host::sjisToUtf8(text));
  shell::rememberLine(m, r.face, text);
}

// Types the characters of `text` two bytes at a time; in an inserted text "@*" starts a new line.
void typeText(Main& m, const Bytes& text, bool inserted, bool silent, Integer voice) {
  for (size_t i = 0; i < text.size(); i += 2) {
    const Bytes pair = text.substr(i, 2);
    if (pair.size() == 2 && pair[0] == '@') {
      const char c = pair[1];
      if (!inserted && c >= '0' && c <= '9') {
        typeText(m, m.replyText(c - '0'), true, silent, voice);
        continue;
      }
      if (!inserted && c == 'T') {
        m.noWaitAtEnd = true;
        continue;
      }
      if (inserted && c == '*') {
        m.lineY = static_cast<Integer>(m.lineY + m.messageLineHeight);
        m.column = 0;
        continue;
      }
    }
    drawMessageCharacter(m, pair, silent, voice);
  }
}

// One message: records from textFrom while their chain field continues it.
void showOneMessage(Main& m) {
  m.messageTextFrom = m.textFrom;  // a save made at this message's wait shows it again from here
  for (;;) {
    const MessageRecord r = readMessageRecord(m, m.textFrom);
    const Bytes text = decodeMessageText(r);
    traceRecord(m, r, insertReplyTexts(m, text));
    m.currentPicture = static_cast<Integer>(numberOf(r.picture));
    const long chain = numberOf(r.chain);

    Integer speaker = 0;
    const Bytes code = resolveFaceCode(m, r.face, speaker);
    const bool silent = code[3] == '5' || !m.soundDeviceUsable || m.typingSoundOption != 1;
    m.lastLineSilent = silent;
    const Integer voice = m.personVoice(speaker);

    // Picture 0 keeps the prepared picture; with none prepared the routine closes the scene,
    // which also clears the message window for this record.
    shell::showScenePicture(m);

    if (code != m.lastFaceCode) {
      if (skipMode(m)) {
        writeSkipLog(m, "", true);
        writeSkipLog(m, host::sj("【") + m.personName(speaker) + host::sj("】"), true);
      }
      m.lastFaceCode = code;
      m.host.trace.line("face " + host::sjisToUtf8(code) + " for record " +
                        std::to_string(m.textFrom));
      drawFace(m, code);
    }

    m.column = 0;
    if (r.size != m.lastSizeCode) {
      applySizeCode(m, r.size);
      m.lastSizeCode = r.size;
    }
    typeText(m, text, false, silent, voice);

    if (m.linePauseOption == 1) m.host.clock->sleepMs(1000);
    if (skipMode(m)) writeSkipLog(m, "", true);
    send(m, "STOP WAV1");
    if (m.linesShown < m.linesPerWindow) {
      m.lineY = static_cast<Integer>(m.lineY + m.messageLineHeight);
      m.linesShown = static_cast<Integer>(m.linesShown + 1);
    }
    m.textFrom += 1;

    if (r.pause == "S") {
      messageWait(m);
      if (m.resumePending) return;
    }
    if (chain > 1) {
      if (m.linesShown == m.linesPerWindow) {
        scrollTextArea(m);
        m.lineY = static_cast<Integer>((m.linesPerWindow - 1) * m.messageLineHeight);
      }
      continue;
    }
    if (!m.noWaitAtEnd) messageWait(m);
    return;
  }
}

}  // namespace

MessageFont messageFontFor(char sizeCode) {
  switch (sizeCode) {
    case '<':
      return {32, 35, 36, 18, 3};
    case '>':
      return {12, 15, 16, 8, 6};
    default:
      return {16, 19, 20, 10, 5};
  }
}

Bytes resolveFaceCode(Main& m, const Bytes& faceField, Integer& speaker) {
  Bytes code = faceField;
  code.resize(6, ' ');
  if (code == "000000") code = m.faceSpeaker + m.faceExpression + m.faceCostume;
  code.resize(6, ' ');
  long s = numberOf(code.substr(0, 2));
  if (code.substr(4, 2) == "FF") {
    s = m.personTableB(s);
    code = twoDigits(s) + code.substr(2, 2) + twoDigits(m.personTableA(s));
  } else {
    m.personTableA(s) = static_cast<Integer>(numberOf(code.substr(4, 2)));
  }
  if (m.personTableC(s) != 0) {
    code = code.substr(0, 4) + twoDigits(host::toLong(m.gameVar(m.personTableC(s))));
  }
  speaker = static_cast<Integer>(s);
  return code;
}

void drawMessageCharacter(Main& m, const Bytes& character, bool silent, Integer voice) {
  host::Surface& screen = m.host.forms.surface(m.PICTURE1);
  const host::Control& picture = m.host.forms.control(m.PICTURE1);
  const host::FontSpec font{picture.fontName, picture.fontSize};
  const double x = textAreaLeft + m.column * m.messageColumnWidth;
  const double y = textAreaTop + m.lineY;
  const std::uint32_t white = host::argbOf(host::rgb(255, 255, 255));
  const std::uint32_t navy = host::argbOf(host::rgb(0, 0, 128));
  host::TextRenderer& text = shell::textRenderer(m);
  text.draw(screen, font, x, y, character, white);
  text.draw(screen, font, x + 2, y, character, navy);
  text.draw(screen, font, x + 1, y, character, white);
  m.column = static_cast<Integer>(m.column + 1);
  if (skipMode(m)) {
    writeSkipLog(m, character, false);
  } else {
    pace(m, silent, voice, character);
  }
}

void showMessages(Main& m) {
  while (m.textFrom <= m.textTo) {
    clearTextArea(m);
    showOneMessage(m);
    if (m.resumePending) return;
  }
}

void clearTextArea(Main& m) {
  host::copyRect(m.host.forms.surface(m.PICTURE1), textAreaLeft, textAreaTop, textAreaWidth,
                 textAreaHeight, m.host.forms.surface(m.P5), textAreaLeft - m.frameX(2),
                 textAreaTop - m.frameY(2));
  m.lineY = 0;
  m.linesShown = 0;
}

void clearWindowAndFace(Main& m) {
  clearTextArea(m);
  host::copyRect(m.host.forms.surface(m.PICTURE1), m.frameX(1) + faceInnerMargin,
                 m.frameY(1) + faceInnerMargin, faceInnerWidth, faceInnerHeight,
                 m.host.forms.surface(m.P4), faceInnerMargin, faceInnerMargin);
  m.lastFaceCode.clear();
}

void messageWait(Main& m) {
  struct Flag {
    Main& m;
    explicit Flag(Main& main) : m(main) { m.inMessageWait = true; }
    ~Flag() { m.inMessageWait = false; }
  } flag(m);
  shell::messageClickWait(m);
}

namespace {

// The skip log is kept in the working folder with the game's other written files (the save
// folder holds the slots alone), so that skip mode's fresh start and the window's lines always
// meet in the same file.
Bytes skipLogPath(const Main& m) {
  return m.workFolder + host::sj("SKIPメッセージ.TXT");
}

// A skip log that cannot be written (a read-only folder, a full disk) does not end the game: the
// first failure is reported as a warning on the standard error and in the events, and the log is
// given up until skip mode is switched on again.
void reportSkipLogFailure(Main& m, const host::RuntimeError& e) {
  if (m.skipLogFailed) return;
  m.skipLogFailed = true;
  const std::string text = "warning: the skip log " + host::sjisToUtf8(skipLogPath(m)) +
                           " cannot be written (error " + std::to_string(e.number()) + ": " +
                           host::errorText(e.number()) + "); the game goes on without it";
  std::fprintf(stderr, "%s\n", text.c_str());
  m.host.trace.line(text);
}

}  // namespace

void openSkipLog(Main& m) {
  closeSkipLog(m);
  m.skipLogFailed = false;
  host::FileSystem& files = m.host.files;
  try {
    if (files.fileExists(skipLogPath(m))) files.deleteFile(skipLogPath(m));
    files.open("O", skipLogFileNumber, skipLogPath(m));
  } catch (const host::RuntimeError& e) {
    reportSkipLogFailure(m, e);
  }
}

void writeSkipLog(Main& m, const Bytes& text, bool lineEnd) {
  if (m.skipLogFailed) return;
  host::FileSystem& files = m.host.files;
  try {
    // Closed by the end of skip mode, the log is opened again for appending: nothing that was
    // logged is lost.
    if (!files.isOpen(skipLogFileNumber)) files.open("A", skipLogFileNumber, skipLogPath(m));
    const host::PrintItem item{text, lineEnd ? 0 : 2};
    files.print(skipLogFileNumber, std::span(&item, 1));
  } catch (const host::RuntimeError& e) {
    reportSkipLogFailure(m, e);
  }
}

void closeSkipLog(Main& m) {
  try {
    m.host.files.close(skipLogFileNumber);
  } catch (const host::RuntimeError& e) {
    reportSkipLogFailure(m, e);
  }
}

}  // namespace zav3::scenario
