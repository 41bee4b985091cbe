// The place menu, the room menus and the crew counters: the destinations offered (routine 69),
// the clock-running switch off (70), the names for a visit (72), the counters advanced by the
// time passed (74), the room menus by the heroine's room and the hour (75), and a packed entry
// unpacked (91) and packed again with the counters decayed (92).
#include "ship/room_menus.hpp"

#include <array>
#include <cmath>

#include "shell/game_state.hpp"
#include "ship/calendar.hpp"
#include "ship/choice_items.hpp"
#include "ship/ship_bookkeeping.hpp"
#include "ship/ship_vars.hpp"

namespace zav3::ship {

namespace {

using namespace vars;
using host::sj;

// gameVar indexes of this module.
constexpr int heroineDutyVar = 2;
constexpr int crewOneDutyVar = 7;
constexpr int hiddenCountVar = 49;
constexpr int roomContextVar = 40;
constexpr int menuIdVar = 41;
constexpr int storySwitchVar = 60;
constexpr int stageSwitchVar = 119;
constexpr int lastUpdateVar = 120;

// gameFlag indexes of this module.
constexpr int placesOpenFlag = 31;
constexpr int marsStoryFlag = 851;
constexpr int earthStoryFlag = 852;
constexpr int jobHeldBitsFlag = 870;
constexpr int thirdRepairFlag = 872;
constexpr int secondJobTimerFlag = 882;
constexpr int visitorFlag = 961;
constexpr int destinationsFlag = 970;
constexpr int encounterFlag = 981;
constexpr int deckDamageFlag = 998;
constexpr int packedIndexFlag = 1350;
constexpr int unpackedFirstFlag = 1351;  // 1351..1353 the three fields, up to 1359 cleared
constexpr int unpackedLastFlag = 1359;
constexpr int chosenMemberFlag = 910;

constexpr Integer allJobsHeld = 63;

// Crew counters of the heroine and crew members 1 and 2: one kept by the tick's first per-member
// update and the pair kept by its second, which routine 92 decays.
struct CrewCounters {
  int own;
  int pairFirst;   // decayed by the larger factor
  int pairSecond;  // by the smaller one
};
constexpr CrewCounters heroineCounters{4, 63, 66};
constexpr CrewCounters memberOneCounters{9, 64, 67};
constexpr CrewCounters memberTwoCounters{14, 65, 68};

// Costume number of speaker s (1..6) in gameVar 111..116.
constexpr int costumeVar(int speaker) {
  return 110 + speaker;
}

void offerItems(Main& m, int first, int last) {
  for (int item = first; item <= last; ++item) offerItem(m, item);
}
void hideItems(Main& m, std::initializer_list<int> items) {
  for (int item : items) hideItem(m, item);
}

// gameVar 49 := the number of items 1..last hidden when it is all of them, else 0.
void countWhenAllHidden(Main& m, int last) {
  int hidden = 0;
  for (int item = 1; item <= last; ++item) hidden += itemHidden(m, item) ? 1 : 0;
  var(m, hiddenCountVar) = hidden < last ? 0 : static_cast<Single>(hidden);
}

bool roomIs(Main& m, Single a, Single b) {
  const Single room = var(m, roomContextVar);
  return room == a || room == b;
}

void smallRoomMenu(Main& m) {
  offerItems(m, 1, 7);
  if (roomIs(m, 6, 2)) {
    hideItems(m, {1, 6});
  } else {
    hideItems(m, {2, 3, 4, 5, 7});
    if (var(m, radarJobVar) > 0 || var(m, crewOneDutyVar) == 1) {
      offerItem(m, 5);
      hideItem(m, 6);
    }
  }
  var(m, menuIdVar) = 2;
  if (var(m, radarJobVar) != 0 || var(m, waveGunStateVar) != 1 || flag(m, thirdRepairFlag) == 1) {
    hideItem(m, 7);
  }
  const ClockParts now = splitClock(m);
  if (now.hour < 9 || now.hour >= 16) hideItem(m, 7);
  if (flag(m, jobHeldBitsFlag) == allJobsHeld) hideItems(m, {1, 2, 5, 6, 7});
  if (var(m, stageSwitchVar) == 1 || hasBit(flag(m, earthStoryFlag), 32)) hideItem(m, 4);
  if (flag(m, stageFlag) > 2) hideItem(m, 3);
  if (flag(m, encounterFlag) < 2) hideItem(m, 4);
  if (flag(m, deckDamageFlag) > 0) hideItems(m, {1, 2, 6, 7});
  countWhenAllHidden(m, 7);
}

void largeRoomMenu(Main& m) {
  offerItems(m, 1, 8);
  if (roomIs(m, 6, 4)) {
    hideItems(m, {1, 8});
    if (var(m, arrivalCodeVar) > 0 || var(m, storySwitchVar) > 0) hideItems(m, {2, 3});
    if (flag(m, secondJobTimerFlag) > 0) hideItems(m, {1, 2, 7, 8});
  } else {
    hideItems(m, {2, 3, 4, 5, 6, 7});
  }
  var(m, menuIdVar) = 3;
  if (flag(m, jobHeldBitsFlag) == allJobsHeld) hideItems(m, {1, 2, 7, 8});
  if (var(m, stageSwitchVar) == 1) hideItems(m, {3, 4, 5, 6});
  if (flag(m, stageFlag) == 3 && !roomIs(m, 6, 2)) hideItem(m, 5);
  if (flag(m, deckDamageFlag) > 0) hideItems(m, {1, 2, 8});
  countWhenAllHidden(m, 8);
}

// x factor, the whole part kept; the factor and the product are single precision.
void decay(Single& counter, float factor) {
  const float product = counter * factor;
  counter = std::floor(product);
}

void decayPair(Main& m, const CrewCounters& c, float first, float second) {
  decay(var(m, c.pairFirst), first);
  decay(var(m, c.pairSecond), second);
}

}  // namespace

void destinationMenu(Main& m) {
  flag(m, destinationsFlag) = 0;
  offerItem(m, 1);
  for (int item = 2; item <= 10; ++item) hideItem(m, item);
  if (flag(m, placesOpenFlag) > 1) offerItem(m, 2);
  if (var(m, driveGradeVar) > 0) offerItem(m, 3);
  if (!itemHidden(m, 2) && !itemHidden(m, 3)) offerItem(m, 4);
  const Single course = var(m, courseTargetVar);
  if (course == 4 && flag(m, earthStoryFlag) > 3) offerItem(m, 5);
  if ((course == 7 || course == 8) && flag(m, marsStoryFlag) > 0) offerItem(m, 5);
  if (course == 9) offerItems(m, 5, 6);
  if (course == 6 && hasBit(flag(m, broadcastStoryFlag), 16)) offerItem(m, 5);
}

void roomMenu(Main& m) {
  const Single arg = var(m, callArgVar);
  if (arg <= 1) {
    smallRoomMenu(m);
  } else if (arg <= 2) {
    largeRoomMenu(m);
  } else {
    offerItems(m, 1, 4);
    if (flag(m, stageFlag) == 3) {
      hideItems(m, {2, 3});
    } else {
      hideItem(m, 4);
    }
  }
}

void visitNames(Main& m) {
  if (var(m, courseTargetVar) != 6) return;
  const Single visit = var(m, visitSelectorVar);
  const Integer visitor = flag(m, visitorFlag);
  struct Visitor {
    Integer code;
    int speaker;
    const char* shortName;
    const char* fullName;
  };
  static constexpr std::array<Visitor, 3> visitors{{
      {2, 2, "鈴華", "王鈴華"},
      {5, 5, "ルフィ", "ルフィ・チェコフ"},
      {6, 6, "香住", "西郷香住"},
  }};
  if (visit == 0 || visit == 1) {
    const Single costume = visit == 0 ? 0 : 7;
    var(m, costumeVar(1)) = costume;
    if (visit == 1) m.replyText(7) = sj("神山礼子");
    for (const Visitor& v : visitors) {
      if (visitor != v.code) continue;
      var(m, costumeVar(v.speaker)) = costume;
      if (visit == 1) {
        m.replyText(8) = sj(v.shortName);
        m.replyText(9) = sj(v.fullName);
      }
    }
  } else if (visit == 2) {
    var(m, costumeVar(1)) = 8;
    var(m, costumeVar(2)) = 8;
  }
}

void crewCounters(Main& m) {
  const Single d = var(m, clockMinutesVar) - var(m, lastUpdateVar);
  auto add = [&m](const CrewCounters& c, Single own, Single pair) {
    var(m, c.own) += own;
    var(m, c.pairFirst) += pair;
    var(m, c.pairSecond) += pair;
  };
  if (flag(m, visitorFlag) != 2) {
    const Single half = static_cast<Single>(host::intDivide(d, 2));
    add(memberTwoCounters, half, d);
    add(memberOneCounters, half, d);
    return;
  }
  add(memberTwoCounters, d, 2 * d);
  if (flag(m, broadcastStoryFlag) < 16) return;
  const Single e = var(m, heroineDutyVar) - var(m, heroinePlaceVar);
  for (const CrewCounters& c : {heroineCounters, memberOneCounters}) {
    for (int i : {c.own, c.pairFirst, c.pairSecond}) {
      Single& counter = var(m, i);
      counter -= 2 * e;
      if (counter < 0) counter = 0;
    }
  }
  var(m, heroineDutyVar) = 1;
  var(m, heroinePlaceVar) = 1;
}

void stopClockRunning(Main& m) {
  clearClockRunning(m);
}

void unpackEntry(Main& m) {
  const Integer p = flag(m, packedIndexFlag);
  for (int i = unpackedFirstFlag; i <= unpackedLastFlag; ++i) flag(m, i) = 0;
  const Integer v = m.gameFlag(p);
  flag(m, unpackedFirstFlag) = static_cast<Integer>(((v & 31) * 2) | 1);
  flag(m, unpackedFirstFlag + 1) = static_cast<Integer>(v & 2016);
  flag(m, unpackedFirstFlag + 2) = static_cast<Integer>((v & 30720) / 2048);
}

void packEntryAndDecay(Main& m) {
  const Integer p = flag(m, packedIndexFlag);
  Integer& packed = m.gameFlag(p);
  packed = 0;
  packed = static_cast<Integer>(packed | (flag(m, unpackedFirstFlag) / 2));
  packed = static_cast<Integer>(packed | flag(m, unpackedFirstFlag + 1));
  packed = static_cast<Integer>(packed | host::toInteger(flag(m, unpackedFirstFlag + 2) * 2048.0));
  const bool onBridge = var(m, heroinePlaceVar) == 1;
  const float first = onBridge ? 0.9f : 0.6f;
  const float second = onBridge ? 0.8f : 0.4f;
  decayPair(m, heroineCounters, first, second);
  const Integer chosen = flag(m, chosenMemberFlag);
  if (hasBit(chosen, 1)) decayPair(m, memberOneCounters, first, second);
  if (hasBit(chosen, 2)) decayPair(m, memberTwoCounters, first, second);
}

void registerRoomMenus(scenario::RoutineTable& table) {
  table.add(69, destinationMenu);
  table.add(70, stopClockRunning);
  table.add(72, visitNames);
  table.add(74, crewCounters);
  table.add(75, roomMenu);
  table.add(91, unpackEntry);
  table.add(92, packEntryAndDecay);
}

}  // namespace zav3::ship
