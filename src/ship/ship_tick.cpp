// The ship's three-minute tick and its per-member updates: work and rest counters of the heroine
// and the five crew members, the three repair jobs, the engine and drive repairs, the wave gun
// fitting, and the end-of-tick step that starts a job or an activity.
#include "ship/ship_tick.hpp"

#include <array>

#include "shell/game_state.hpp"
#include "ship/calendar.hpp"
#include "ship/ship_vars.hpp"

namespace zav3::ship {

namespace {

using namespace vars;
using host::Integer;
using host::Long;
using host::Single;

// gameVar indexes of this module.
constexpr int engineRepairLeftVar = 33;
constexpr int jobEndRestVar = 97;
constexpr int jobEndAfterVar = 98;
constexpr int stageSwitchVar = 119;
constexpr int skipCounterVar = 132;
constexpr int secondDriveRepairVar = 136;

// gameFlag indexes of this module.
constexpr int jobHeldBitsFlag = 870;
constexpr int thirdRepairFlag = 872;
constexpr int jobTimerFlag = 880;  // + job 0..2
constexpr int jobRunningBitsFlag = 901;
constexpr int idleAlarmFlag = 920;
constexpr int encounterStageFlag = 982;
constexpr int deckDamageFlag = 998;

constexpr Single asleep = 13;
constexpr Single tickMinutes = 3;

Integer& flag(Main& m, int i) {
  return m.gameFlag(i);
}
Single& var(Main& m, int i) {
  return m.gameVar(i);
}

// Element of gameVar named by a value held in gameVar (rounded as an index).
Single& varAt(Main& m, Single index) {
  return m.gameVar(host::toLong(index));
}

bool flagBit(Main& m, int i, Integer bit) {
  return (flag(m, i) & bit) != 0;
}

void setFlagBit(Main& m, int i, Integer bit) {
  flag(m, i) = static_cast<Integer>(flag(m, i) | bit);
}

// flag(i) += delta with the 16-bit overflow check.
void addToFlag(Main& m, int i, long delta) {
  flag(m, i) = host::toInteger(static_cast<double>(flag(m, i) + delta));
}

void raiseEvent(Main& m, Long bit) {
  var(m, eventBitsVar) = static_cast<Single>(host::toLong(var(m, eventBitsVar)) | bit);
}

void raiseToZero(Single& value) {
  if (value < 0) value = 0;
}

// Job 1 or 2 when it does not run: the work counter or the idle update, the radar-room
// countdown for job 1, and the crew update of its member.
void stalledCrewJob(Main& m, int job) {
  const Integer heldBit = job == 1 ? 2 : 4;
  const int workVar = job == 1 ? 50 : 52;
  if (flagBit(m, jobHeldBitsFlag, heldBit)) {
    var(m, workVar) += tickMinutes;
  } else {
    idleUpdate(m, workVar + 1);
  }
  if (job == 1 && var(m, radarJobVar) > 0) {
    var(m, radarJobVar) -= tickMinutes;
    if (var(m, radarJobVar) < 3) {
      var(m, 7) = 1;
      var(m, radarJobVar) = 0;
    }
  }
  crewUpdate(m, job);
}

void crewJob(Main& m, int job) {
  const int timer = jobTimerFlag + job;
  const Integer heldBit = job == 1 ? 2 : 4;
  if (flag(m, timer) == 0 || flagBit(m, jobHeldBitsFlag, heldBit) || flag(m, deckDamageFlag) > 0) {
    stalledCrewJob(m, job);
    return;
  }
  addToFlag(m, timer, -3);
  if (flag(m, timer) <= 0) {
    if (job == 1) {
      jobEndUpdate(m, 6, 50, 64, 3);
    } else {
      jobEndUpdate(m, 11, 52, 65, 4);
    }
    flag(m, timer) = 0;
    addToFlag(m, jobRunningBitsFlag, -heldBit);
  }
}

void heroineJob(Main& m) {
  const bool held = flagBit(m, jobHeldBitsFlag, 1);
  if (var(m, heroinePlaceVar) == 1 || flag(m, jobTimerFlag) == 0 || held ||
      flag(m, deckDamageFlag) > 0) {
    if (var(m, heroinePlaceVar) > 1 && !held) {
      var(m, 31) = 0;
      var(m, 32) += tickMinutes;
    } else {
      var(m, 32) = 0;
      var(m, 31) += tickMinutes;
    }
    crewUpdate(m, 0);
    return;
  }
  addToFlag(m, jobTimerFlag, -3);
  if (flag(m, jobTimerFlag) <= 0) {
    jobEndUpdate(m, 1, 31, 63, 2);
    var(m, jobEndRestVar) = 40;
    var(m, jobEndAfterVar) = 0;
    flag(m, jobTimerFlag) = 0;
    addToFlag(m, jobRunningBitsFlag, -1);
  }
}

void crewThreeDuties(Main& m, const ClockParts& now) {
  if (flagBit(m, jobHeldBitsFlag, 8)) return;
  if (var(m, driveStateVar) == 1 || flag(m, thirdRepairFlag) == 1 ||
      var(m, secondDriveRepairVar) == 1) {
    var(m, crewThreeDutyVar) = 11;
  }
  if (var(m, waveGunStateVar) == 1 && flag(m, thirdRepairFlag) != 1) {
    const Single timeOfDay = static_cast<Single>(now.hour * 60) + now.minute;
    if (flag(m, encounterStageFlag) == 4 || (timeOfDay > 525 && now.hour < 17)) {
      var(m, crewThreeDutyVar) = 12;
    }
  }
}

void repairs(Main& m) {
  const bool inEngineRoom = var(m, crewThreePlaceVar) == 11;
  if (var(m, driveStateVar) == 1 && inEngineRoom) {
    var(m, engineRepairLeftVar) -= tickMinutes;
    if (var(m, engineRepairLeftVar) <= 0) {
      var(m, engineRepairLeftVar) = 0;
      var(m, driveStateVar) = 2;
      raiseEvent(m, 32);
    }
  }
  if (var(m, secondDriveRepairVar) == 1 && inEngineRoom) {
    var(m, engineRepairLeftVar) -= tickMinutes;
    if (var(m, engineRepairLeftVar) <= 0) {
      var(m, engineRepairLeftVar) = 0;
      var(m, secondDriveRepairVar) = 2;
      raiseEvent(m, 16384);
    }
  }
  if (flag(m, thirdRepairFlag) == 1 && inEngineRoom) {
    addToFlag(m, thirdRepairLeftFlag, -3);
    if (flag(m, thirdRepairLeftFlag) <= 0) {
      flag(m, thirdRepairLeftFlag) = 0;
      flag(m, thirdRepairFlag) = 2;
      raiseEvent(m, 512);
    }
  }
}

void waveGunFitting(Main& m, const ClockParts& now) {
  if (var(m, waveGunStateVar) != 1 || var(m, crewThreePlaceVar) != 12) return;
  if (flag(m, encounterStageFlag) == 4 || (now.hour >= 9 && now.hour < 17)) {
    var(m, waveGunDoneVar) += tickMinutes;
    if (var(m, radarJobVar) > 0) var(m, waveGunDoneVar) += tickMinutes;
  }
  if (var(m, waveGunDoneVar) >= 1200) {
    var(m, waveGunStateVar) = 2;
    raiseEvent(m, 64);
    if (var(m, radarJobVar) > 0) {
      var(m, 7) = 1;
      var(m, radarJobVar) = 0;
    }
  }
}

// A crew member on the bridge whose average of the three counters passed 3000 starts a job.
bool counterAverageAbove(Main& m, int first, int second, int third) {
  return (var(m, first) + var(m, second) + var(m, third)) / 3 > 3000;
}

}  // namespace

void firstMemberUpdate(Main& m, int a, int b, int c, int s) {
  if (var(m, s) != asleep) {
    var(m, b) += 3;
    var(m, c) += 3;
    var(m, a) -= 3;
  } else {
    var(m, b) -= var(m, b) < 960 ? 8 : 16;
    var(m, c) += 1;
    var(m, a) -= 2;
  }
  raiseToZero(var(m, a));
  raiseToZero(var(m, b));
}

void secondMemberUpdate(Main& m, int member, int a, int b, int c, int s) {
  const Single others = varAt(m, 70 + var(m, 5 * member + 1)) - static_cast<Single>(1 << member);
  if (var(m, c) == 0) {
    var(m, a) += 3;
    var(m, b) += 3;
    for (const Single level : {480.0f, 960.0f, 1440.0f}) {
      if (var(m, c - 1) > level) {
        var(m, a) += 1;
        var(m, b) += 1;
      }
    }
  } else {
    if (var(m, s) == asleep) {
      if (s == heroineActivityVar) {
        var(m, a) -= 1 + var(m, 100);
        var(m, b) -= var(m, 100);
        var(m, jobEndRestVar) -= 3;
        if (var(m, jobEndRestVar) <= 0) {
          var(m, jobEndRestVar) = 0;
          var(m, heroineActivityVar) = 23;
        }
      } else {
        var(m, a) -= 4;
        var(m, b) -= 3;
      }
    } else {
      const Single rest = var(m, s + 26);
      if (rest == 1 || rest == 3) {
        var(m, b) -= 4;
      } else if (rest == 2 || rest == 4) {
        var(m, b) -= 5;
      } else if (rest == 6) {
        var(m, b) -= 3;
      }
    }
    if (s == heroineActivityVar && var(m, jobEndAfterVar) > 0) {
      var(m, jobEndAfterVar) -= 3;
      if (var(m, jobEndAfterVar) <= 0) var(m, jobEndAfterVar) = 0;
    }
  }
  if (others > 0) var(m, b) -= 1;
  raiseToZero(var(m, a));
  raiseToZero(var(m, b));
}

void crewUpdate(Main& m, int member) {
  const int s = heroineActivityVar + member;
  firstMemberUpdate(m, 5 * member + 3, 5 * member + 4, 5 * member + 5, s);
  if (member <= 2) {
    static constexpr std::array<int, 3> workCounter{32, 51, 53};
    secondMemberUpdate(m, member, 63 + member, 66 + member, workCounter[member], s);
  }
}

void jobEndUpdate(Main& m, int a, int b, int c, int s) {
  const Single cabin = static_cast<Single>(s);
  var(m, a + 3) = 30;
  var(m, c + 3) = 0;
  var(m, c) = 300;
  var(m, a + 2) = 60;
  var(m, b) = 0;
  var(m, a + 1) = cabin;
  var(m, a) = cabin;
  var(m, b + 1) = 120;
}

void idleUpdate(Main& m, int k) {
  if (var(m, k) > 0) {
    var(m, k) -= 3;
    if (var(m, k) < 15) setFlagBit(m, idleAlarmFlag, k == 51 ? 2 : 4);
  } else {
    var(m, k - 1) += 3;
  }
}

void endOfTickCrewStep(Main& m) {
  if (flag(m, deckDamageFlag) == 0) {
    if (!flagBit(m, jobRunningBitsFlag, 2) && var(m, 6) == 1 && counterAverageAbove(m, 9, 64, 67)) {
      setFlagBit(m, jobRunningBitsFlag, 2);
      raiseEvent(m, 8);
      var(m, 7) = 0;
    }
    if (!flagBit(m, jobRunningBitsFlag, 4) && var(m, 11) == 1 &&
        counterAverageAbove(m, 14, 65, 68)) {
      setFlagBit(m, jobRunningBitsFlag, 4);
      raiseEvent(m, 16);
      var(m, 12) = 0;
    }
    const Long events = host::toLong(var(m, eventBitsVar));
    if ((events & 4) != 0) var(m, eventBitsVar) = static_cast<Single>(events & ~Long{4});
    if (var(m, heroinePlaceVar) == 1 && flag(m, jobTimerFlag) == 0 &&
        counterAverageAbove(m, 4, 63, 66)) {
      setFlagBit(m, jobRunningBitsFlag, 1);
      raiseEvent(m, 4);
      var(m, 2) = 0;
    }
  }
  if (flag(m, activityStartFlag) > 0 || var(m, eventBitsVar) > 0 || var(m, arrivalCodeVar) > 0) {
    return;
  }
  const Single place = var(m, heroinePlaceVar);
  const Single activity = var(m, heroineActivityVar);
  if ((place < 3 || place == 8 || place == 9) && var(m, 5) > 200 &&
      (activity == 0 || activity > 20)) {
    var(m, heroineActivityVar) = 1;
    flag(m, activityStartFlag) = 1;
    if (place == 9) {
      var(m, 2) = 10;
      if (var(m, 69) <= 4 || var(m, 69) == 11) var(m, 2) = 2;
    }
  }
  if (flag(m, activityStartFlag) > 0) return;
  static constexpr std::array<Single, 6> limit{0, 175, 220, 180, 250, 230};
  for (int i = 1; i <= 5; ++i) {
    if (var(m, 5 * i + 5) > limit[i] && var(m, heroineActivityVar + i) == 0 &&
        var(m, 5 * i + 1) != 9) {
      var(m, heroineActivityVar + i) = 1;
      flag(m, activityStartFlag) = static_cast<Integer>(i + 1);
      return;
    }
  }
}

void shipTick(Main& m) {
  // 1. Deck repair.
  if (flag(m, deckDamageFlag) > 0) {
    addToFlag(m, deckDamageFlag, -180);
    if (flag(m, deckDamageFlag) <= 0) {
      flag(m, deckDamageFlag) = 0;
      raiseEvent(m, 8192);
    }
  }
  // 2. Clock.
  var(m, clockMinutesVar) = m.targetMinute;
  // 3. Story stage.
  if (var(m, stageSwitchVar) == 1) {
    const Single now = var(m, clockMinutesVar);
    const bool toMars = var(m, courseTargetVar) == 4;
    if ((toMars && now >= 11160) || (!toMars && now >= 10020)) {
      var(m, stageSwitchVar) = 3;
      raiseEvent(m, 2048);
    }
  }
  // 4. Day.
  const ClockParts now = splitClock(m);
  var(m, clockDayVar) = static_cast<Single>(now.day);
  // 5. Skip-mode countdown.
  if (var(m, skipCounterVar) > 0) {
    var(m, skipCounterVar) -= tickMinutes;
    if (var(m, skipCounterVar) <= 0) {
      var(m, skipCounterVar) = 0;
      if (m.closeSkipLog) m.closeSkipLog(m);
    }
  }
  // 6..8. The three repair jobs.
  heroineJob(m);
  crewJob(m, 1);
  crewJob(m, 2);
  // 9. Crew member 3's duty place.
  crewThreeDuties(m, now);
  // 10. The other crew members and the end-of-tick step.
  for (int member = 3; member <= 5; ++member) crewUpdate(m, member);
  endOfTickCrewStep(m);
  // 11..13. Repairs in the engine room; 14. wave gun fitting.
  repairs(m);
  waveGunFitting(m, now);
}

}  // namespace zav3::ship
