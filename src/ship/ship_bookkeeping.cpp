// Ship-mode bookkeeping: the table of coded events met (routines 23 and 24) and the event level
// and repair alarm read from it (56, 58), who is where (62, 97), the hours passed (60), the
// item 4 switch (64), the ship song by the heroine's place (98), and the one-step routines: flag
// tests (25, 27), the radar-room job (32), the save request and save prompt (49, 50), the jobs
// found running (51), the value stack (53) and the routines without effect (52, 59).
#include "ship/ship_bookkeeping.hpp"

#include "scenario/hooks.hpp"
#include "shell/game_state.hpp"
#include "ship/calendar.hpp"
#include "ship/choice_items.hpp"
#include "ship/ship_vars.hpp"

namespace zav3::ship {

namespace {

using namespace vars;

// gameVar indexes of this module.
constexpr int heroineCounterVar = 4;
constexpr int crewOnePlaceVar = 6;
constexpr int crewOneDutyVar = 7;
constexpr int radarHoursVar = 37;
constexpr int resultVar = 48;
constexpr int flagIndexVar = 49;
constexpr int repairAlarmVar = 59;
constexpr int nextEventSlotVar = 61;
constexpr int eventValueVar = 62;
constexpr int heroineCrewCounterVar = 63;
constexpr int heroineRestCounterVar = 66;
constexpr int placePeopleVar = 70;  // + place 1..12: the people at that place
constexpr int activityVar = 85;     // + person 0..5

// gameFlag indexes of this module.
constexpr int eventsOffFlag = 32;
constexpr int repairStoryFlag = 860;
constexpr int stackPointerFlag = 862;
constexpr int jobHeldBitsFlag = 870;
constexpr int jobTimerFlag = 880;  // + job 0..2
constexpr int eventLevelFlag = 890;
constexpr int eventStageFlag = 891;
constexpr int eventChangeFlag = 892;
constexpr int jobRunningBitsFlag = 901;
constexpr int jobsFoundFlag = 902;
constexpr int hoursFromFlag = 921;
constexpr int hoursShownFlag = 922;
constexpr int item4StoryFlag = 952;

// The event table: keys (event codes) in 1000..1099, the values of routine 23 a hundred places
// above their key and those of routine 24 two hundred places above.
constexpr int eventKeysFirst = 1000;
constexpr int eventKeysLast = 1099;
constexpr int eventValuesFirst = 1100;
constexpr int eventValuesLast = 1199;
constexpr Single firstTabledEvent = 330;
constexpr Integer tabledBits = 1536;

constexpr int lastPlace = 12;
constexpr int lastCrewMember = 5;
constexpr Single repairLimit = 4500;
constexpr Integer bridgeSong = 2;
constexpr Integer decksSong = 3;

// A game value used as an index.
long indexOf(Single value) {
  return host::toLong(value);
}

// One of the two kinds of event bookkeeping: the "met" bit it sets, the bit of the code's flag
// that keeps a stored value from being overwritten, and how far above its key the value lies.
struct EventKind {
  Integer metBit;
  Integer keepBit;
  int valueOffset;
};

void recordEvent(Main& m, const EventKind& kind) {
  if (flag(m, eventsOffFlag) == 1) return;
  const Single code = var(m, callArgVar);
  Integer& codeFlag = m.gameFlag(indexOf(code));
  setBits(codeFlag, kind.metBit);
  if (code < firstTabledEvent || (codeFlag & tabledBits) == 0) return;
  // Only the key slots are searched: a code met among the stored values found no entry either,
  // so the outcome is the same as a search through the rest of the flags.
  for (int k = eventKeysFirst; k <= eventKeysLast; ++k) {
    if (flag(m, k) != code) continue;
    if ((codeFlag & kind.keepBit) == 0) {
      flag(m, k + kind.valueOffset) = host::toInteger(var(m, eventValueVar));
    }
    return;
  }
  // A new entry goes into the next free slot. A slot outside the key slots (a full table, or a
  // slot the script never set) would write the code and its value over other flags, so no entry
  // is made then.
  const long slot = indexOf(var(m, nextEventSlotVar));
  if (slot < eventKeysFirst || slot > eventKeysLast) {
    m.host.trace.line("event " + std::to_string(indexOf(code)) + " not recorded: no free slot");
    return;
  }
  m.gameFlag(slot) = host::toInteger(code);
  m.gameFlag(slot + kind.valueOffset) = host::toInteger(var(m, eventValueVar));
  var(m, nextEventSlotVar) = static_cast<Single>(slot + 1);
}

// Raises the stage to `stage` when the level passed `level` and the stage is still below it.
void raiseStage(Main& m, Integer level, Integer stage) {
  if (flag(m, eventLevelFlag) > level && flag(m, eventStageFlag) < stage) {
    flag(m, eventStageFlag) = stage;
    setBits(flag(m, eventChangeFlag), 1);
  }
}

void raiseEvent(Main& m, Long bit) {
  setBits(var(m, eventBitsVar), bit);
}

}  // namespace

void clearClockRunning(Main& m) {
  m.clockRunning = 0;
  m.host.events->periodicOff();
}

void recordEventMet(Main& m) {
  recordEvent(m, {1, 16, 100});
}

void recordEventSeen(Main& m) {
  recordEvent(m, {2, 32, 200});
}

void eventLevel(Main& m) {
  if (flag(m, eventStageFlag) == 7) return;
  Integer& level = flag(m, eventLevelFlag);
  level = 0;
  for (int k = eventValuesFirst; k <= eventValuesLast; ++k) {
    if (flag(m, k) <= 0 || flag(m, k + 100) <= 0) continue;
    const Integer code = m.gameFlag(flag(m, k - 100));
    if (hasBit(code, 1024)) {
      level = 13;
      setBits(flag(m, eventChangeFlag), 1);
      return;
    }
    if (!hasBit(code, 512)) continue;
    if (level < 10) level = 9;
    level = static_cast<Integer>(level + 1);
    if (level == 13) level = 12;
    raiseStage(m, 9, 3);
    raiseStage(m, 10, 4);
    raiseStage(m, 11, 5);
  }
}

void repairAlarm(Main& m) {
  if (var(m, eventBitsVar) >= 8 || var(m, arrivalCodeVar) != 0) return;
  const Single a =
      (var(m, heroineCounterVar) + var(m, heroineCrewCounterVar) + var(m, heroineRestCounterVar)) /
      3;
  const Integer running = flag(m, jobRunningBitsFlag);
  // The second test belongs to the first as its other case: it is made only when the two crew
  // jobs are not both running under the story switch.
  if (hasBit(running, 2) && hasBit(running, 4) && flag(m, repairStoryFlag) > 0) {
    if (repairLimit - a < flag(m, jobTimerFlag + 1) &&
        repairLimit - a < flag(m, jobTimerFlag + 2)) {
      var(m, repairAlarmVar) = 1;
      raiseEvent(m, 2);
    }
  } else if (flag(m, jobTimerFlag) == 0 && a > repairLimit) {
    var(m, repairAlarmVar) = 1;
    raiseEvent(m, 1);
  }
}

void whoIsWhere(Main& m) {
  for (int place = 1; place <= lastPlace; ++place) var(m, placePeopleVar + place) = 0;
  for (int i = 0; i <= lastCrewMember; ++i) {
    Single& place = var(m, 5 * i + 1);
    if (place == 0) place = static_cast<Single>(i + 2);
    // A place code outside 1..12 names no place; its people are not counted anywhere (their bit
    // would land in another game variable).
    const long p = indexOf(place);
    if (p >= 1 && p <= lastPlace)
      setBits(var(m, placePeopleVar + static_cast<int>(p)), Long{1} << i);
  }
  const long here = indexOf(var(m, heroinePlaceVar));
  var(m, presentBitsVar) =
      here >= 1 && here <= lastPlace ? var(m, placePeopleVar + static_cast<int>(here)) : 0;
}

void addActivity21Crew(Main& m) {
  for (int i = 1; i <= lastCrewMember; ++i) {
    if (var(m, activityVar + i) == 21) setBits(var(m, presentBitsVar), Long{1} << i);
  }
}

void hoursPassed(Main& m) {
  const Long hours = host::intDivide(var(m, clockMinutesVar) - flag(m, hoursFromFlag), 60);
  if (hours > flag(m, hoursShownFlag)) {
    var(m, callArgVar) = static_cast<Single>(hours);
    flag(m, hoursShownFlag) = host::toInteger(static_cast<double>(hours));
  } else {
    var(m, callArgVar) = 0;
  }
}

void item4Switch(Main& m) {
  showItemIf(
      m, 4,
      !(var(m, presentBitsVar) == 1 || flag(m, item4StoryFlag) > 0 || flag(m, jobHeldBitsFlag) > 0));
}

void shipSong(Main& m) {
  const Integer song = var(m, heroinePlaceVar) == 1 ? bridgeSong : decksSong;
  if (song == m.currentSong) return;
  m.hooks->music(m, song);
  m.currentSong = song;
}

void clearResultWhenFlagSet(Main& m) {
  if (m.gameFlag(indexOf(var(m, flagIndexVar))) != 0) var(m, resultVar) = 0;
}

void setResultWhenNotKept(Main& m) {
  if ((m.gameFlag(indexOf(var(m, callArgVar))) & 16) == 0) var(m, flagIndexVar) = 1;
}

void radarRoomJob(Main& m) {
  const Single hours = var(m, radarHoursVar);
  m.replyText(1) = host::fullWidthNumber(hours);
  var(m, radarJobVar) = hours * 60;
  var(m, crewOnePlaceVar) = 9;
  var(m, crewOneDutyVar) = 12;
}

void requestSave(Main& m) {
  m.saveRequested = 1;
}

void savePrompt(Main& m) {
  clearClockRunning(m);
  if (m.saveRequested != 1) return;
  m.saveRequested = 0;
  m.host.trace.line("save menu");
  if (m.saveMenu) m.saveMenu(m);
  if (m.PICTURE1 != 0) m.host.forms.setEnabled(m.PICTURE1, 0);
}

void jobsFoundRunning(Main& m) {
  const Single onDuty = var(m, crewOnDutyBitsVar);
  for (int job = 0; job <= 2; ++job) {
    const Long bit = Long{1} << job;
    if (hasBit(onDuty, bit) && flag(m, jobTimerFlag + job) > 0)
      setBits(flag(m, jobsFoundFlag), bit);
  }
}

void popValue(Main& m) {
  Integer& pointer = flag(m, stackPointerFlag);
  // An empty stack (its pointer at 0) would be read below the first flag: the pop then gives 0
  // and leaves the pointer where it is.
  const long top = static_cast<long>(pointer) - 1;
  if (top < m.gameFlag.first() || top > m.gameFlag.last()) {
    m.host.trace.line("value stack empty");
    var(m, callArgVar) = 0;
    return;
  }
  pointer = static_cast<Integer>(top);
  var(m, callArgVar) = m.gameFlag(top);
}

void noEffect(Main&) {}

void registerShipBookkeeping(scenario::RoutineTable& table) {
  table.add(23, recordEventMet);
  table.add(24, recordEventSeen);
  table.add(25, clearResultWhenFlagSet);
  table.add(27, setResultWhenNotKept);
  table.add(32, radarRoomJob);
  table.add(49, requestSave);
  table.add(50, savePrompt);
  table.add(51, jobsFoundRunning);
  table.add(52, noEffect);
  table.add(53, popValue);
  table.add(56, eventLevel);
  table.add(58, repairAlarm);
  table.add(59, noEffect);
  table.add(60, hoursPassed);
  table.add(62, whoIsWhere);
  table.add(64, item4Switch);
  table.add(97, addActivity21Crew);
  table.add(98, shipSong);
}

}  // namespace zav3::ship
