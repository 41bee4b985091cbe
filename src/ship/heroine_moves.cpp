// The heroine's moves on the ship: the musings of routines 5 and 6, a new visiting cycle and the
// visiting check.
#include "ship/heroine_moves.hpp"

#include <array>

#include "host/sjis.hpp"
#include "shell/game_state.hpp"
#include "ship/calendar.hpp"

namespace zav3::ship {

namespace {

using namespace vars;
using host::Bytes;
using host::sj;

// gameVar indexes of the visiting cycle.
constexpr int cycleFirstVar = 85;  // 85..96: the activities and done bits of everyone
constexpr int cycleLastVar = 96;
constexpr int cycleRestVar = 97;
constexpr Single cycleRest = 8;
constexpr int clearedFlagsLast = roundDoneFlag;  // needsMet .. roundDone are cleared together

// A place or need worth a line, with its line in each musing (nullptr: none in that one) and
// the needs that keep the line back (it is given only while none of them is felt; 0: always).
struct MusingRow {
  Integer bit;
  const char* first;   // routine 5, UTF-8
  const char* second;  // routine 6, UTF-8
  Integer heldBackBy;
};

constexpr std::array<MusingRow, 10> placeRows{{
    {2, nullptr, "とりあえず部屋に戻ろうか。@S", 14},
    {4, "鈴華の部屋に行ってみようかな。@S", "鈴華の部屋に行ってみようかな。@S", 0},
    {8, "ビバリーの部屋に行ってみようか。@S", "ビバリーの部屋に行ってみようか。@S", 0},
    {16, "スコット技術士官の部屋に行ってみようか。@S", "スコット技術士官の部屋に行ってみようか。@S",
     0},
    {32, "サハロフ准尉の部屋に行ってみようか。@S", "サハロフ准尉の部屋に行ってみようか。@S", 0},
    {64, "東郷准尉の部屋に行ってみようか。@S", "東郷准尉の部屋に行ってみようか。@S", 0},
    {128, "用はないけど食堂に行ってみようか。@S", "用はないけど食堂に行ってみようか。@S", 384},
    {256, "廊下のトイレに行ってみようか。@S", nullptr, 0},
    {512, "機関室で状況を尋ねてみよう。@S", "機関室で状況を尋ねてみよう。@S", 0},
    {1024, "レーダー室で状況を尋ねてみよう。@S", "レーダー室で状況を尋ねてみよう。@S", 0},
}};

constexpr std::array<MusingRow, 5> needRows{{
    {2, "ねぇ～むぅ～い～っ！@S", "ねぇ～むぅ～い～っ！@S", 0},
    {4, "風呂に入りたい気分だわ@S", "風呂に入りたい気分だわ@S", 0},
    {8, "のんびりしたい気分だわ@S", "部屋でのんびりしたい気分だわ@S", 0},
    {128, "お腹減ったぁ・・・。@S", "お腹減ったぁ・・・。@S", 0},
    {256, "食堂で誰かと話して時間を潰そうかな。@S", "食堂で誰かと話して時間を潰そうかな。@S", 0},
}};

constexpr const char* nothingLeft = "さて次は何処に行こうかなぁ・・・。";
constexpr std::string_view lineEnd = "@S";

bool worthIt(Integer open, Integer done, Integer bit) {
  return (open & bit) != 0 && (done & bit) == 0;
}

// The musing of one routine: the lines of the places and needs left, split at "@S" into the
// reply slots 1.., and their number in callArg.
void musing(Main& m, bool second) {
  Bytes text;
  auto add = [&](const MusingRow& row, Integer open, Integer done) {
    const char* line = second ? row.second : row.first;
    if (line == nullptr || !worthIt(open, done, row.bit)) return;
    if ((needsOpen(m) & row.heldBackBy) != 0) return;
    text += sj(line);
  };
  for (const MusingRow& row : placeRows) add(row, placesOpen(m), placesVisited(m));
  for (const MusingRow& row : needRows) add(row, needsOpen(m), needsMet(m));
  if (text.empty()) {
    m.replyText(1) = sj(nothingLeft);
    m.gameVar(callArgVar) = 1;
    return;
  }
  // Every line ends in "@S"; the separators do not reach the slots. The reply slots end at 9,
  // but the masks allow up to thirteen lines: the first nine (places before needs) are given,
  // callArg says 9 and the rest are left out rather than written past the last slot.
  std::size_t p = 0;
  int k = 0;
  do {
    k += 1;
    std::size_t e = text.find(lineEnd, p);
    if (e == Bytes::npos) e = text.size();
    m.replyText(k) = text.substr(p, e - p);
    p = e + lineEnd.size();
  } while (p < text.size() && k < musingLinesMax);
  m.gameVar(callArgVar) = static_cast<Single>(k);
}

}  // namespace

Integer& placesOpen(Main& m) {
  return m.gameFlag(placesOpenFlag);
}
Integer& placesVisited(Main& m) {
  return m.gameFlag(placesVisitedFlag);
}
Integer& needsOpen(Main& m) {
  return m.gameFlag(needsOpenFlag);
}
Integer& needsMet(Main& m) {
  return m.gameFlag(needsMetFlag);
}
Integer& roundDone(Main& m) {
  return m.gameFlag(roundDoneFlag);
}

void musingFirst(Main& m) {
  musing(m, false);
}

void musingSecond(Main& m) {
  musing(m, true);
}

void newVisitingCycle(Main& m) {
  for (int i = cycleFirstVar; i <= cycleLastVar; ++i) m.gameVar(i) = 0;
  placesVisited(m) = 0;
  for (int i = needsMetFlag; i <= clearedFlagsLast; ++i) m.gameFlag(i) = 0;
  m.gameVar(cycleRestVar) = cycleRest;
}

void visitingCheck(Main& m) {
  Integer& done = roundDone(m);
  if (done == 0) {
    const bool placesSeen = (placesOpen(m) & placesVisited(m)) == placesOpen(m);
    const bool needsSeen = (needsOpen(m) & needsMet(m)) == needsOpen(m);
    if (placesSeen && needsSeen) done = 1;
    return;
  }
  done = done == 2 ? 1 : 2;
}

void registerHeroineMoves(scenario::RoutineTable& table) {
  table.add(5, musingFirst);
  table.add(6, musingSecond);
  table.add(7, newVisitingCycle);
  table.add(33, visitingCheck);
}

}  // namespace zav3::ship
