// The five speech-style ending sets (routine 22) and the duration, speed-name and name-list
// builders.
#include "scenario/speech_styles.hpp"

#include <array>
#include <cstddef>

#include "shell/game_state.hpp"

namespace zav3::scenario {

namespace {

using host::fullWidthNumber;
using host::Long;
using host::sj;

using EndingSet = std::array<const char*, speechSlotCount>;  // UTF-8

constexpr std::array<EndingSet, speechSetCount> endingSets{{
    {"ました。", "ます。", "ません。", "です。", "ありませんよ。", "ください。", "でしょ。",
     "ですか？", "の。", "の？"},
    {"ました。", "ます。", "ません。", "です。", "ないわよ。", "くれない。", "でしょ。", "ですか？",
     "んです。", "んですね？"},
    {"たわ。", "るわ。", "ないわ。", "です。", "ないわよ。", "くれませんか。", "でしょ。",
     "ですか？", "のよ。", "のね？"},
    {"たぜ。", "るぜ。", "ないぜ。", "だ。", "ないぜ。", "くれ。", "だろ。", "か？", "んだ。",
     "んだな？"},
    {"ましたわ。", "ますわ。", "ませんわ。", "ですわ。", "ありませんわ。", "くださらないかしら。",
     "じゃありませんか。", "かしら？", "のですわ。", "んですのね？"},
}};

// Speed steps 1..8.
constexpr std::array<const char*, 8> speedNames{
    "停止", "微速前進", "前進", "巡航速度", "６４分の１", "３２分の１", "１６分の１", "８分の１"};

constexpr std::size_t firstListBytes = 15;  // the first list closes after passing this length

}  // namespace

Bytes speechEnding(int set, int slot) {
  if (set < 1 || set > speechSetCount) set = 1;
  return sj(endingSets[static_cast<std::size_t>(set - 1)].at(static_cast<std::size_t>(slot)));
}

void speechStyle(Main& m) {
  const int set = m.personTableB(host::toLong(m.gameVar(speakerVar))) - 1;
  for (int slot = 0; slot < speechSlotCount; ++slot) m.replyText(slot) = speechEnding(set, slot);
}

void durationText(Main& m) {
  Single minutes = m.gameVar(durationMinutesVar);
  if (minutes <= 5) {
    m.gameVar(durationMinutesVar) = 0;
    return;
  }
  Bytes& text = m.replyText(1);
  text.clear();
  Long hours = 0;
  if (minutes >= 60) {
    hours = host::intDivide(minutes, 60);
    minutes -= 60.0f * static_cast<Single>(hours);
    text = fullWidthNumber(hours) + sj("時間");
  }
  // Whole tens only: the minutes below ten are dropped.
  const Long tens = host::intDivide(minutes, 10);
  if (tens > 0) {
    text += fullWidthNumber(10.0 * tens) + sj("分");
  } else if (hours == 0) {
    text = sj("５分から１０分");
  }
}

void speedName(Main& m, Single step) {
  for (std::size_t i = 0; i < speedNames.size(); ++i) {
    if (step == static_cast<Single>(i + 1)) {
      m.replyText(3) = sj(speedNames[i]);
      return;
    }
  }
}

void appendName(Main& m, const Bytes& name) {
  if (m.gameVar(listStateVar) < 2) {
    m.gameVar(listStateVar) = 1;
    Bytes& list = m.replyText(0);
    const std::size_t before = list.size();
    list += before > 0 ? sj("、") + name : name;
    if (before > firstListBytes) m.gameVar(listStateVar) = 2;
  } else {
    Bytes& list = m.replyText(1);
    list += list.empty() ? name : sj("、") + name;
  }
}

void registerSpeechStyles(RoutineTable& table) {
  table.add(speechStyleRoutine, speechStyle);
}

}  // namespace zav3::scenario
