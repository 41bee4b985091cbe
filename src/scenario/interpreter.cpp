// The script interpreter: fetches each 35-byte record, dispatches on its op field and runs the
// command. Commands that show something, wait for the player or run a numbered routine go
// through the hooks.
#include "scenario/interpreter.hpp"

#include <array>
#include <cmath>
#include <string_view>

#include "host/error.hpp"
#include "scenario/data_files.hpp"
#include "scenario/dispatcher.hpp"
#include "scenario/hooks.hpp"

namespace zav3::scenario {

namespace {

using host::toInteger;
using host::toLong;

double n(const Bytes& operand) { return operandNumber(operand); }
double np(const Bytes& operand) { return prefixedNumber(operand); }
char first(const Bytes& s) { return s.empty() ? '\0' : s[0]; }
bool has(const Bytes& s, std::string_view mark) { return s.find(mark) != Bytes::npos; }

// Conditions of IF (on gameVar) and FI (on gameFlag).
bool conditionHolds(Main& m, bool onGameVar) {
  const ScriptRecord& r = m.record;
  auto value = [&](double index) -> Integer {
    return onGameVar ? toInteger(m.gameVar(toLong(index))) : m.gameFlag(toLong(index));
  };
  const Integer x = value(n(r.a1));
  const Integer y = first(r.a3) == 'T' ? toInteger(np(r.a3)) : value(np(r.a3));
  const Integer both = static_cast<Integer>(x & y);
  const Bytes& op = r.a2;
  if (has(op, "<>")) return x != y;
  if (has(op, "<=")) return x <= y;
  if (has(op, ">=")) return x >= y;
  if (has(op, "<")) return x < y;
  if (has(op, ">")) return x > y;
  if (has(op, "A+")) return both > 0;
  if (has(op, "N+")) return both == 0;
  if (has(op, "A")) return both == y;
  if (has(op, "N")) return both != y;
  return x == y;
}

void condition(Main& m, bool onGameVar) {
  if (!conditionHolds(m, onGameVar)) return;
  const Integer target = toInteger(np(m.record.a4));
  switch (first(m.record.a4)) {
    case 'J': jumpToEntry(m, target); break;
    case 'S': callEntry(m, target); break;
    default: specialRoutine(m, target); break;
  }
}

// AH, AI, AD: R := A op B, stored by the destination's letter.
void arithmetic(Main& m, double a) {
  const ScriptRecord& r = m.record;
  switch (first(r.a3)) {
    case 'T': m.arithmeticOperandB = np(r.a3); break;
    case 'H': m.arithmeticOperandB = m.gameVar(toLong(np(r.a3))); break;
    case 'I': m.arithmeticOperandB = m.gameFlag(toLong(np(r.a3))); break;
    case 'D': m.arithmeticOperandB = m.shipState(toLong(np(r.a3))); break;
    default: break;  // B keeps its value from the previous arithmetic command
  }
  const double b = m.arithmeticOperandB;
  double result = 0;
  if (has(r.a2, "+")) result = a + b;
  if (has(r.a2, "-")) result = a - b;
  if (has(r.a2, "*")) result = a * b;
  if (has(r.a2, "/")) result = a / b;
  if (has(r.a2, "A")) result = toLong(a) & toLong(b);
  if (has(r.a2, "R")) result = toLong(a) | toLong(b);
  switch (first(r.a4)) {
    case 'H': m.gameVar(toLong(np(r.a4))) = static_cast<Single>(result); break;
    case 'I': m.gameFlag(toLong(np(r.a4))) = toInteger(result); break;
    case 'D': m.shipState(toLong(np(r.a4))) = result; break;
    default: break;
  }
}

void setMaskBits(Main& m, Long bits, Integer value) {
  for (int k = 0; k <= 9; ++k) {
    if (bits & (1L << k)) m.choiceMask(k + 1) = value;
  }
}

// Text show: the message run a1..a2, resumed at textFrom after an interruption.
bool textShow(Main& m) {
  if (m.resumePending) {
    m.resumePending = false;
  } else {
    m.textFrom = toLong(n(m.record.a1));
  }
  m.textTo = toLong(n(m.record.a2));
  m.hooks->showMessages(m);
  if (!m.noWaitAtEnd) m.hooks->clearTextArea(m);
  return m.resumePending;
}

// Shows picture p (window kept) and waits for a click: TK, and TG after clearing.
bool pictureAndClick(Main& m, double picture) {
  m.hooks->showScenePicture(m, toInteger(picture));
  m.hooks->waitClick(m);
  return m.resumePending;
}

bool movie(Main& m) {
  const ScriptRecord& r = m.record;
  m.hooks->clearWindowAndFace(m);
  const Integer movieNumber = toInteger(n(r.a1));
  m.currentPicture = toInteger(n(r.a2));
  m.hooks->showPictureAtOnce(m, m.currentPicture);
  const Integer mode = toInteger(n(r.a4));
  if (!m.moviesMissing && m.hooks->playMovie(m, movieNumber)) {
    if (mode == 0 || mode == 2) return false;
    m.hooks->waitClick(m);
    return m.resumePending || mode == 3;
  }
  m.gameVar(99) = 1;
  if (mode >= 2) return false;
  // As TG with the still picture of a3.
  m.hooks->clearWindowAndFace(m);
  return pictureAndClick(m, n(r.a3));
}

bool listDisplay(Main& m) {
  const long count = toLong(n(m.record.a1));
  std::vector<Bytes> lines;
  // A counted loop: its body runs once before the bound is first tested, so H 0 still takes
  // the next record as a list line.
  long i = 0;
  do {
    m.programCounter += 1;
    readScriptRecord(m, m.programCounter);
    lines.push_back(insertReplyTexts(m, lineView(m.record, host::sj("＾"))));
  } while (++i < count);
  m.hooks->listDisplay(m, lines);
  return m.resumePending;
}

void insertText(Main& m) {
  const ScriptRecord& r = m.record;
  static const Bytes open = host::sj("「");
  static const Bytes close = host::sj("」");
  if (r.op.find(open) != Bytes::npos) {
    const Bytes line = r.bytes.substr(0, 34);
    const size_t start = lineView(r, open).size() + open.size();
    const long index = toLong(n(r.op.substr(1, 1)));
    Bytes text;
    // Up to the first closing mark, walking whole characters.
    for (size_t i = start; i < line.size();) {
      if (line.compare(i, close.size(), close) == 0) break;
      const size_t w = host::isLeadByte(static_cast<unsigned char>(line[i])) ? 2 : 1;
      text += line.substr(i, w);
      i += w;
    }
    m.replyText(index) = text;
  } else {
    const Bytes digits = host::numberText(m.gameVar(toLong(n(r.a2))));
    m.replyText(toLong(n(r.a1))) = host::toFullWidth(digits.substr(1));
  }
}

bool twoLetter(Main& m, std::string_view code, bool& again) {
  const ScriptRecord& r = m.record;
  auto& h = *m.hooks;
  auto idx = [](const Bytes& operand) { return toLong(n(operand)); };
  // Compared as two-byte numbers: this chain runs for every record.
  auto pair = [](char a, char b) {
    return static_cast<unsigned>(static_cast<unsigned char>(a)) << 8 |
           static_cast<unsigned>(static_cast<unsigned char>(b));
  };
  const unsigned key = pair(code[0], code[1]);
  auto c = [&](const char* name) { return key == pair(name[0], name[1]); };
  if (c("CG")) {
    h.clearWindowAndFace(m);
    h.closeScene(m);
    m.currentPicture = 0;  // no picture is current once the scene is closed
  } else if (c("CT")) {
    h.clearTextArea(m);
    h.waitClick(m);
    again = m.resumePending;
  } else if (c("CK")) {
    h.clearWindowAndFace(m);
  } else if (c("IF")) {
    condition(m, true);
  } else if (c("SP")) {
    specialRoutine(m, toInteger(n(r.a1)));
    again = m.resumePending;
  } else if (c("JE")) {
  } else if (c("SU")) {
    if (m.soundDeviceUsable && m.typingSoundOption == 1 && !m.lastLineSilent) {
      h.soundEffect(m, toInteger(n(r.a1)));
    }
  } else if (c("MU")) {
    h.music(m, toInteger(n(r.a1)));
  } else if (c("MC")) {
    h.clearWindowAndFace(m);
    h.closeScene(m);
    m.currentPicture = 0;
    h.music(m, toInteger(n(r.a1)));
  } else if (c("MK")) {
    h.clearWindowAndFace(m);
    h.music(m, toInteger(n(r.a1)));
  } else if (c("MG")) {
    again = movie(m);
  } else if (c("KG")) {
    h.showScenePicture(m, toInteger(n(r.a1)));
  } else if (c("TG")) {
    h.clearWindowAndFace(m);
    again = pictureAndClick(m, n(r.a1));
  } else if (c("TK")) {
    again = pictureAndClick(m, n(r.a1));
  } else if (c("HE")) {
    m.gameVar(idx(r.a1)) = static_cast<Single>(n(r.a2));
  } else if (c("IE")) {
    m.gameFlag(idx(r.a1)) = toInteger(n(r.a2));
  } else if (c("HH")) {
    m.gameVar(idx(r.a1)) = m.gameVar(idx(r.a2));
  } else if (c("II")) {
    m.gameFlag(idx(r.a1)) = m.gameFlag(idx(r.a2));
  } else if (c("IH")) {
    m.gameFlag(idx(r.a1)) = toInteger(m.gameVar(idx(r.a2)));
  } else if (c("HI")) {
    m.gameVar(idx(r.a1)) = m.gameFlag(idx(r.a2));
  } else if (c("HR")) {
    Single& v = m.gameVar(idx(r.a1));
    v = static_cast<Single>(toInteger(v) | toLong(n(r.a2)));
  } else if (c("IR")) {
    Integer& v = m.gameFlag(idx(r.a1));
    v = toInteger(v | toLong(n(r.a2)));
  } else if (c("HA")) {
    Single& v = m.gameVar(idx(r.a1));
    v = static_cast<Single>(toInteger(v) & toLong(n(r.a2)));
  } else if (c("IA")) {
    Integer& v = m.gameFlag(idx(r.a1));
    v = toInteger(v & toLong(n(r.a2)));
  } else if (c("DE")) {
    m.shipState(idx(r.a1)) = n(r.a2);
  } else if (c("FI")) {
    condition(m, false);
  } else if (c("NS")) {
  } else if (c("MA")) {
    m.faceSpeaker = r.a1.substr(0, 2);
  } else if (c("HY")) {
    m.faceExpression = r.a1.substr(0, 2);
  } else if (c("FK")) {
    m.faceCostume = r.a1.substr(0, 2);
  } else if (c("FU")) {
    m.personTableA(idx(r.a1)) = toInteger(n(r.a2));
  } else if (c("SJ")) {
    callEntry(m, n(r.a1));
  } else if (c("SS")) {
  } else if (c("SE")) {
    returnFromCall(m);
  } else if (c("HJ")) {
    jumpToEntry(m, m.gameVar(idx(r.a1)));
  } else if (c("HS")) {
    callEntry(m, m.gameVar(idx(r.a1)));
  } else if (c("IJ")) {
    jumpToEntry(m, m.gameFlag(idx(r.a1)));
  } else if (c("IS")) {
    callEntry(m, m.gameFlag(idx(r.a1)));
  } else if (c("FS")) {
    m.personTableC(idx(r.a1)) = toInteger(n(r.a2));
  } else if (c("AH")) {
    arithmetic(m, m.gameVar(idx(r.a1)));
  } else if (c("AI")) {
    arithmetic(m, m.gameFlag(idx(r.a1)));
  } else if (c("AD")) {
    arithmetic(m, m.shipState(idx(r.a1)));
  } else if (c("VL")) {
    auto bare = [](double v) {
      Bytes t = host::numberText(v);
      return t.substr(0, 1) == " " ? t.substr(1) : t;
    };
    // The version text is the scene title: a save keeps it and a load shows it again.
    m.sceneTitle = host::sj("シナリオ Ver.") + bare(n(r.a1)) + " Lev." + bare(n(r.a2));
    m.windowTitle = m.captionPrefix + m.sceneTitle;
    h.setCaption(m, m.windowTitle);
  } else if (c("QO")) {
    for (int k = 1; k <= 10; ++k) m.choiceMask(k) = 0;
  } else if (c("QT")) {
    setMaskBits(m, toLong(n(r.a1)), 1);
  } else if (c("QH")) {
    setMaskBits(m, toLong(m.gameVar(idx(r.a1))), 1);
  } else if (c("QI")) {
    setMaskBits(m, m.gameFlag(idx(r.a1)), 1);
  } else if (c("TQ")) {
    setMaskBits(m, toLong(n(r.a1)), 0);
  } else if (c("HQ")) {
    setMaskBits(m, toLong(m.gameVar(idx(r.a1))), 0);
  } else if (c("IQ")) {
    setMaskBits(m, m.gameFlag(idx(r.a1)), 0);
  } else if (c("KI")) {
    const Integer bits = m.gameFlag(idx(r.a1));
    for (int k = 0; k <= 9; ++k) m.choiceMask(k + 1) = (bits >> k) & 1;
  } else if (c("KO")) {
    Long sum = 0;
    for (int k = 0; k <= 9; ++k) {
      if (m.choiceMask(k + 1) == 1) sum += 1L << k;
    }
    m.gameFlag(idx(r.a1)) = toInteger(sum);
  } else if (c("RH")) {
    const Single r01 = m.host.random.next();
    m.gameVar(idx(r.a1)) = static_cast<Single>(std::floor(r01 * (n(r.a2) + 1)));
  } else if (c("RI")) {
    const double top = n(r.a2) + 1;
    const Integer range = top > 32767 ? Integer{32767} : toInteger(top);
    const Single r01 = m.host.random.next();
    m.gameFlag(idx(r.a1)) = toInteger(std::floor(r01 * static_cast<Single>(range)));
  } else {
    return false;
  }
  return true;
}

}  // namespace

Bytes insertReplyTexts(Main& m, const Bytes& line) {
  Bytes out;
  for (size_t i = 0; i < line.size(); i += 2) {
    if (i + 1 < line.size() && line[i] == '@' && line[i + 1] >= '0' && line[i + 1] <= '9') {
      out += m.replyText(line[i + 1] - '0');
    } else {
      out += line.substr(i, 2);
    }
  }
  return out;
}

void jumpToEntry(Main& m, double entry) { m.programCounter = m.entryTable(toLong(entry)) - 1; }

void callEntry(Main& m, double entry) {
  const Long target = m.entryTable(toLong(entry));
  m.returnStack(m.returnDepth) = m.programCounter;
  m.returnDepth += 1;
  if (m.returnDepth == 11) m.returnDepth = 10;
  m.programCounter = target - 1;
}

void returnFromCall(Main& m) {
  m.returnDepth -= 1;
  if (m.returnDepth < 0) m.returnDepth = 0;
  m.programCounter = m.returnStack(m.returnDepth);
}

bool executeRecord(Main& m) {
  const ScriptRecord& r = m.record;
  if (first(r.op) == 'P') {
    if (textShow(m)) return true;
  }
  if (m.resumePending) m.resumePending = false;
  if (r.op.compare(0, 3, "END") == 0) m.host.events->endProgram(0);
  bool again = false;
  if (r.op.size() >= 2 && twoLetter(m, std::string_view(r.op).substr(0, 2), again)) return again;
  auto& h = *m.hooks;
  switch (first(r.op)) {
    case 'H': return listDisplay(m);
    case 'Q': h.choiceBlock(m); return m.resumePending;
    case 'G':
      h.clearWindowAndFace(m);
      h.showScenePicture(m, toInteger(n(r.a1)));
      return false;
    case 'J': jumpToEntry(m, n(r.a1)); return false;
    case 'W': {
      // Counted: W 0 (or less) still pauses once.
      const Long steps = toLong(n(r.a1));
      Long i = 0;
      do {
        h.pause(m, 100);
      } while (++i < steps);
      return false;
    }
    case 'Y': m.personTableB(toLong(n(r.a1))) = toInteger(n(r.a2)); return false;
    case '$': insertText(m); return false;
    default: return false;  // unknown or blank records are skipped
  }
}

void runScript(Main& m, long maxRecords) {
  long executed = 0;
  unsigned sincePoll = 0;
  for (;;) {
    m.programCounter += 1;
    bool again = true;
    while (again) {
      // Queued events run between records, every few records as between any few statements.
      if (m.host.events && (++sincePoll & 7u) == 0) m.host.events->poll();
      m.noWaitAtEnd = false;
      if (m.noSaveSceneMarker == 0) m.saveLocked = 0;
      readScriptRecord(m, m.programCounter);
      m.messageRecord = m.programCounter;
      if (m.onRecord) m.onRecord(m);
      again = executeRecord(m);
      if (maxRecords > 0 && ++executed >= maxRecords) return;
    }
  }
}

}  // namespace zav3::scenario
