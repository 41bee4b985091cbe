// The save slot layout: print items in 14-column zones, one array block of five values a line.
#include "shell/save_data.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "host/date_time.hpp"
#include "host/dialogs.hpp"
#include "host/error.hpp"
#include "scenario/hooks.hpp"
#include "shell/main_form.hpp"

namespace zav3::shell {

namespace {

constexpr int file = 3;

class SlotWriter {
 public:
  explicit SlotWriter(Main& m) : m_(m) {}

  // One line of values separated by zones.
  template <class... T>
  void line(T... values) {
    std::vector<host::PrintItem> items{host::PrintItem{values, 1}...};
    items.back().separator = 0;
    m_.host.files.print(file, items);
  }
  void text(const Bytes& s) { line(s); }

  template <class T>
  void block(const Array<T>& a, long first, long last) {
    std::vector<host::PrintItem> items;
    for (long i = first; i <= last; ++i) {
      items.emplace_back().value = a(i);
      items.back().separator = 1;
      if (items.size() == 5 || i == last) {
        items.back().separator = 0;
        m_.host.files.print(file, items);
        items.clear();
      }
    }
  }
  // The whole array 0..N: lines of five, then the rest.
  template <class T>
  void block(const Array<T>& a) {
    block(a, 0, a.last());
  }

 private:
  Main& m_;
};

}  // namespace

void writeSaveLayout(Main& m, const Bytes& path, const Bytes& title) {
  auto& files = m.host.files;
  files.open("O", file, path);
  SlotWriter w(m);
  w.text(title);
  w.line(static_cast<Integer>(Main::gameVarLast));
  w.line(static_cast<Integer>(Main::gameFlagLast));
  w.line(static_cast<Integer>(Main::shipStateLast));
  w.line(static_cast<Integer>(Main::personLast));
  w.line(m.messageRecord);
  w.line(m.messageTextFrom);
  w.text(m.sceneTitle);
  w.line(m.currentPicture, m.textDelay);
  w.line(m.musicOption, m.typingSoundOption);
  w.line(m.currentSong, m.reservedSaveValue);
  w.block(m.choiceMask, 1, 5);
  w.block(m.choiceMask, 6, 10);
  w.line(m.returnDepth);
  w.block(m.returnStack, 0, 4);
  w.block(m.returnStack, 5, 9);
  for (long i = 0; i <= 9; ++i) w.text(m.replyText(i));
  w.text(m.clockDayText);
  w.text(m.clockHourText);
  w.text(m.clockMinuteText);
  w.block(m.gameVar);
  w.block(m.personTableB, 0, 4);
  w.block(m.personTableB, 5, 9);
  w.block(m.personTableA);
  w.block(m.personTableC);
  w.block(m.gameFlag);
  w.block(m.shipState);
  files.close(file);
}

namespace {

// A damaged slot: what is wrong, for the box.
struct SlotProblem {
  std::string what;
};

// The slot's lines, read one at a time; numbers are split at blanks.
class SlotReader {
 public:
  SlotReader(Main& m) : m_(m) {}

  Bytes line() {
    if (m_.host.files.atEnd(file)) throw SlotProblem{"the file ends early"};
    ++lineNumber_;
    return m_.host.files.lineInput(file);
  }
  // The numbers of one line; exactly `count` of them.
  std::vector<double> numbers(size_t count) {
    const Bytes text = line();
    std::vector<double> out;
    size_t i = 0;
    while (i < text.size()) {
      while (i < text.size() && text[i] == ' ') ++i;
      if (i >= text.size()) break;
      size_t j = i;
      while (j < text.size() && text[j] != ' ') ++j;
      const Bytes word = text.substr(i, j - i);
      if (!isNumber(word)) throw problem("holds \"" + shown(word) + "\" where a number belongs");
      const double value = host::textToNumber(word);
      if (!std::isfinite(value)) throw problem("holds \"" + shown(word) + "\", too large a number");
      out.push_back(value);
      i = j;
    }
    if (out.size() != count) {
      throw problem("holds " + std::to_string(out.size()) + " numbers, not " +
                    std::to_string(count));
    }
    return out;
  }
  double number() { return numbers(1)[0]; }
  // An array 0..bound in blocks of five a line.
  std::vector<double> block(long bound) {
    std::vector<double> out;
    for (long k = 0; k < bound / 5; ++k) {
      const auto five = numbers(5);
      out.insert(out.end(), five.begin(), five.end());
    }
    const auto rest = numbers(static_cast<size_t>(bound % 5 + 1));
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
  }

 private:
  SlotProblem problem(const std::string& what) const {
    return SlotProblem{"line " + std::to_string(lineNumber_) + " " + what};
  }
  // A word of the file for the box: its first few characters.
  static std::string shown(const Bytes& word) {
    constexpr size_t most = 16;
    size_t end = 0;
    while (end < word.size() && end < most) {
      end += host::isLeadByte(static_cast<unsigned char>(word[end])) ? 2 : 1;
    }
    end = std::min(end, word.size());
    return host::sjisToUtf8(word.substr(0, end)) + (end < word.size() ? "..." : "");
  }
  // A number as the writer prints it: a sign, digits with at most one point (at least one
  // digit), then an exponent letter with an optionally signed exponent.
  static bool isNumber(const Bytes& w) {
    size_t i = 0;
    auto digitsFrom = [&w, &i] {
      const size_t from = i;
      while (i < w.size() && w[i] >= '0' && w[i] <= '9') ++i;
      return i - from;
    };
    if (i < w.size() && (w[i] == '-' || w[i] == '+')) ++i;
    size_t mantissa = digitsFrom();
    if (i < w.size() && w[i] == '.') {
      ++i;
      mantissa += digitsFrom();
    }
    if (mantissa == 0) return false;
    if (i < w.size() && (w[i] == 'E' || w[i] == 'e' || w[i] == 'D' || w[i] == 'd')) {
      ++i;
      if (i < w.size() && (w[i] == '-' || w[i] == '+')) ++i;
      if (digitsFrom() == 0) return false;
    }
    return i == w.size();
  }
  Main& m_;
  int lineNumber_ = 0;
};

struct SavedGame {
  Bytes title, sceneTitle;
  Long messageRecord = 0, messageTextFrom = 0;
  Integer currentPicture = 0, textDelay = 0, musicOption = 0, typingSoundOption = 0;
  Integer currentSong = 0, reserved = 0, returnDepth = 0;
  std::vector<Integer> choiceMask, personTableB, personTableA, personTableC, gameFlag;
  std::vector<Long> returnStack;
  std::vector<Single> gameVar;
  std::vector<Double> shipState;
  std::vector<Bytes> replyText, clockTexts;
};

template <class T, class F>
std::vector<T> converted(const std::vector<double>& v, F convert) {
  std::vector<T> out;
  for (double d : v) out.push_back(convert(d));
  return out;
}

long checkedBound(double stored, long last, const char* name) {
  if (stored < 0 || stored > last || stored != static_cast<long>(stored)) {
    throw SlotProblem{std::string("the bound of ") + name + " is " +
                      host::sjisToUtf8(host::numberText(stored)) + ", more than this game has"};
  }
  return static_cast<long>(stored);
}

SavedGame readSlot(Main& m, const Bytes& path) {
  auto toI = [](double d) { return host::toInteger(d); };
  auto toL = [](double d) { return host::toLong(d); };
  SavedGame g;
  m.host.files.open("I", file, path);
  try {
    SlotReader r(m);
    g.title = r.line();
    const long vars = checkedBound(r.number(), Main::gameVarLast, "gameVar");
    const long flags = checkedBound(r.number(), Main::gameFlagLast, "gameFlag");
    const long ship = checkedBound(r.number(), Main::shipStateLast, "shipState");
    const long persons = checkedBound(r.number(), Main::personLast, "the person tables");
    g.messageRecord = host::toLong(r.number());
    g.messageTextFrom = host::toLong(r.number());
    g.sceneTitle = r.line();  // the whole line, commas included
    auto two = r.numbers(2);
    g.currentPicture = toI(two[0]);
    g.textDelay = toI(two[1]);
    two = r.numbers(2);
    g.musicOption = toI(two[0]);
    g.typingSoundOption = toI(two[1]);
    two = r.numbers(2);
    g.currentSong = toI(two[0]);
    g.reserved = toI(two[1]);
    g.choiceMask = converted<Integer>(r.numbers(5), toI);
    const auto more = converted<Integer>(r.numbers(5), toI);
    g.choiceMask.insert(g.choiceMask.end(), more.begin(), more.end());
    g.returnDepth = toI(r.number());
    if (g.returnDepth < 0 || g.returnDepth > 10) throw SlotProblem{"the call depth is out of range"};
    g.returnStack = converted<Long>(r.numbers(5), toL);
    const auto stack = converted<Long>(r.numbers(5), toL);
    g.returnStack.insert(g.returnStack.end(), stack.begin(), stack.end());
    for (int i = 0; i <= 9; ++i) g.replyText.push_back(r.line());
    for (int i = 0; i < 3; ++i) g.clockTexts.push_back(r.line());
    g.gameVar = converted<Single>(r.block(vars), [](double d) {
      const auto single = static_cast<Single>(d);
      if (std::isinf(single)) throw SlotProblem{"a value of gameVar is too large for a single"};
      return single;
    });
    g.personTableB = converted<Integer>(r.numbers(5), toI);
    const auto b = converted<Integer>(r.numbers(5), toI);
    g.personTableB.insert(g.personTableB.end(), b.begin(), b.end());
    g.personTableA = converted<Integer>(r.block(persons), toI);
    g.personTableC = converted<Integer>(r.block(persons), toI);
    g.gameFlag = converted<Integer>(r.block(flags), toI);
    g.shipState = converted<Double>(r.block(ship), [](double d) { return d; });
  } catch (...) {
    m.host.files.close(file);
    throw;
  }
  m.host.files.close(file);
  return g;
}

template <class T>
void copyInto(Array<T>& a, const std::vector<T>& v, long first = 0) {
  for (size_t i = 0; i < v.size(); ++i) a(first + static_cast<long>(i)) = v[i];
}

void apply(Main& m, const SavedGame& g) {
  m.routines.run(m, 26);  // re-creates gameVar, gameFlag and shipState and the ship tables
  m.programCounter = g.messageRecord;
  m.textFrom = g.messageTextFrom;
  m.messageTextFrom = g.messageTextFrom;
  m.sceneTitle = g.sceneTitle;
  m.currentPicture = g.currentPicture;
  m.textDelay = g.textDelay;
  m.musicOption = g.musicOption;
  m.typingSoundOption = g.typingSoundOption;
  m.currentSong = g.currentSong;
  m.reservedSaveValue = g.reserved;
  copyInto(m.choiceMask, g.choiceMask, 1);
  m.returnDepth = g.returnDepth;
  copyInto(m.returnStack, g.returnStack);
  copyInto(m.replyText, g.replyText);
  m.clockDayText = g.clockTexts[0];
  m.clockHourText = g.clockTexts[1];
  m.clockMinuteText = g.clockTexts[2];
  copyInto(m.gameVar, g.gameVar);
  // A play record beyond the first ending found at start-up outlives an older save.
  if (m.playRecordEndings > 2 && m.playRecordEndings < 256) m.gameVar(131) = 1;
  copyInto(m.personTableB, g.personTableB);  // elements 10..99 keep their values
  copyInto(m.personTableA, g.personTableA);
  copyInto(m.personTableC, g.personTableC);
  copyInto(m.gameFlag, g.gameFlag);
  copyInto(m.shipState, g.shipState);
}

void restore(Main& m) {
  m.noSaveSceneMarker = 0;
  m.resumePending = true;
  m.hooks->clearWindowAndFace(m);
  pressOptionButton(m, m.musicOption == 1 ? 4 : 3);
  pressOptionButton(m, m.typingSoundOption == 1 ? 6 : 5);
  drawTextDelay(m);
  // The song of the save, not the one playing now (it starts only while the music is on).
  m.hooks->music(m, m.currentSong);
  if (m.currentPicture == 0) {
    m.hooks->closeScene(m);
    return;
  }
  m.hooks->showScenePicture(m, m.currentPicture);
  m.windowTitle = m.captionPrefix + m.sceneTitle;
  m.hooks->setCaption(m, m.windowTitle);
}

}  // namespace

bool loadSlot(Main& m, int slot) {
  const Bytes name = "SAVE" + host::middle(host::numberText(static_cast<Long>(slot)), 2);
  const Bytes path = m.saveFolder + name + ".DAT";
  std::string problem;
  try {
    const SavedGame g = readSlot(m, path);
    apply(m, g);
  } catch (const SlotProblem& p) {
    problem = p.what;
  } catch (const host::RuntimeError& e) {
    problem = host::errorText(e.number());
  }
  if (!problem.empty()) {
    const auto text = host::utf8ToSjis(problem).value_or("");
    host::messageBox(*m.host.dialogs, name + host::sj(".DAT を読み込めません。") + text,
                     host::sj("ロード"), 0, 2);
    return false;
  }
  restore(m);
  return true;
}

namespace {

Bytes slotName(int slot) { return "SAVE" + host::middle(host::numberText(static_cast<Long>(slot)), 2); }

// The slot list: "キャンセル" and the nine titles; the slot picked, 0 for "キャンセル".
int pickSlot(Main& m) {
  m.choiceText(0) = host::sj("キャンセル");
  for (int n = 1; n <= 9; ++n) m.choiceText(n) = m.saveTitle(n);
  m.listColumns = 9;
  m.listRows = 10;
  prepareListWindow(m);
  return runListWindow(m) - 1;
}

}  // namespace

bool saveSlot(Main& m, int slot) {
  const Bytes path = m.saveFolder + slotName(slot) + ".DAT";
  const Bytes temporary = m.saveFolder + slotName(slot) + ".NEW";
  const Bytes title = host::dateText(m.host.now()) + " " + host::timeText(m.host.now());
  try {
    writeSaveLayout(m, temporary, title);
    m.host.files.replaceFile(temporary, path);
  } catch (const host::RuntimeError& e) {
    m.host.files.close(file);
    if (m.host.files.fileExists(temporary)) {
      try {
        m.host.files.deleteFile(temporary);
      } catch (const host::RuntimeError&) {
      }
    }
    const auto text = host::utf8ToSjis(host::errorText(e.number())).value_or("");
    host::messageBox(*m.host.dialogs, slotName(slot) + host::sj(".DAT に保存できません。") + text,
                     host::sj("セーブ"), 0, 2);
    return false;
  }
  m.saveTitle(slot) = title;
  return true;
}

void saveMenu(Main& m) {
  if (m.saveLocked == 1) return;
  const int slot = pickSlot(m);
  if (slot >= 1 && slot <= 9) saveSlot(m, slot);
}

void loadMenu(Main& m) {
  const int slot = pickSlot(m);
  if (slot >= 1 && slot <= 9 && m.saveTitle(slot) != "-") loadSlot(m, slot);
}

}  // namespace zav3::shell
