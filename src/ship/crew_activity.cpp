// Hourly crew activity. Every step draws its random numbers from the host's generator in a fixed
// order (for each crew member in turn: the step's draw unless it is the small hours, the draws
// of the canteen rule, the draw of the return to duty), so that a game replays identically from
// the same generator state.
#include "ship/crew_activity.hpp"

#include <cmath>

#include "scenario/speech_styles.hpp"
#include "ship/calendar.hpp"
#include "ship/crew_state.hpp"

namespace zav3::ship {

namespace {

using namespace vars;
using host::Long;

// gameFlag indexes of this module.
constexpr int crewThreeKindsFlag = 911;  // bit 1: a kind-1 activity was drawn, bit 2: kind 2

// Bits of crewDoneBits and of the kinds drawn.
constexpr Long didOne = 1;
constexpr Long didTwo = 2;
// A story flag of needsOpen and needsMet: crew members go to their cabins only while the heroine
// does not feel it, or once she has met it.
constexpr Integer companyNeed = 256;

constexpr Single asleep = 3;
constexpr Single bathing = 4;

// The minutes left that routine 46 reports: below 240 while the third repair is on
// (gameFlag 962 = 1), else below 100.
constexpr int repairMinutesVar = scenario::durationMinutesVar;
constexpr Single longRepairReportLimit = 240;
constexpr Single shortRepairReportLimit = 100;

// A random whole number 0..n - 1: the whole part of the next random number times n.
int draw(Main& m, int n) {
  const Single r = m.host.random.next();
  return static_cast<int>(std::floor(r * static_cast<Single>(n)));
}

// Between 02:00 and 05:59 nobody is drawn for: the step's number is 4.
bool smallHours(Long hour) {
  return hour > 1 && hour < 6;
}

// Activities age in this order, each test seeing the value the one before left: 1 ends as 11
// and 2 as 12 in one step, 11 and 12 as 21 and 22.
void ageActivity(Single& activity) {
  if (activity == 11) activity = 21;
  if (activity == 12) activity = 22;
  if (activity == 1) activity = 11;
  if (activity == 2) activity = 12;
}

// The rest in the cabin begins as sleep on a draw of 5 or as a bath on a draw of 6.
void restBegins(Single& activity, int r) {
  if (r == 5) activity = asleep;
  if (r == 6) activity = bathing;
}

bool mayGoToCabin(Main& m) {
  return (m.gameFlag(needsOpenFlag) & companyNeed) == 0 ||
         (m.gameFlag(needsMetFlag) & companyNeed) != 0;
}

// A crew member idle in the canteen: one of the two activities, or off to the cabin or the
// bridge.
void canteenRule(Main& m, int i, int r, bool night) {
  Single& activity = crewActivity(m, i);
  Single& done = crewDoneBits(m, i);
  crewDuty(m, i) = 0;
  if (!hasBits(done, didTwo) && r < 2) {
    activity = 2;
    addBits(done, didTwo);
  }
  if (!hasBits(done, didOne) && r == 6) {
    activity = 1;
    addBits(done, didOne);
  }
  if (r != 4 || !mayGoToCabin(m)) return;
  r = draw(m, 7);
  activity = 0;
  if (i <= 2) {
    crewDuty(m, i) = cabinOf(i);
  } else {
    if (night) r = 5;
    crewDuty(m, i) = r < 2 ? bridgePlace : cabinOf(i);
    r = draw(m, 7);
  }
  restBegins(activity, r);
}

// Crew members 1 and 2 come from the corridor to the canteen; 3 to 5 leave the bridge for the
// canteen outside the small hours unless the bridge is their duty.
void returnToDuty(Main& m, int i, Long hour) {
  if (i <= 2) {
    if (crewPlace(m, i) != corridorPlace) return;
    if (draw(m, 6) == 3) {
      crewPlace(m, i) = canteenPlace;
      crewActivity(m, i) = 0;
    }
    return;
  }
  if (crewPlace(m, i) != bridgePlace || !(hour > 5 || hour < 2) || crewDuty(m, i) == bridgePlace) {
    return;
  }
  if (draw(m, 6) == 3) {
    crewDuty(m, i) = canteenPlace;
    crewActivity(m, i) = 0;
    // The member's bit leaves the bridge set. Subtracting it, as first written, would corrupt the
    // set whenever the bit was not in it (the set not yet built); clearing it is the same
    // otherwise.
    removeBits(m.gameVar(crewOnDutyBitsVar), crewBit(i));
  }
}

}  // namespace

void hourlyCrewActivity(Main& m) {
  const Long hour = splitClock(m).hour;
  const bool night = smallHours(hour);
  Single& heroine = heroineActivity(m);
  m.gameVar(heroineActivityPrevVar) = heroine;
  if (heroine == 12) heroine = 22;
  if (heroine == 2) heroine = 12;
  for (int i = firstCrewMember; i <= lastCrewMember; ++i) {
    ageActivity(crewActivity(m, i));
    const int r = night ? 4 : draw(m, 7);
    if (crewPlace(m, i) == canteenPlace && crewActivity(m, i) == 0) canteenRule(m, i, r, night);
    if (crewDuty(m, i) == cabinOf(i)) continue;  // off duty in the cabin
    returnToDuty(m, i, hour);
  }
}

void crewThreeActivity(Main& m) {
  const int r = draw(m, 13);
  Integer& kinds = m.gameFlag(crewThreeKindsFlag);
  Single& activity = crewActivity(m, 3);
  if ((kinds & didOne) == 0) {
    if (r == 0) activity = 21;
    if (r == 1) activity = 11;
    if (r == 2) activity = 1;
  }
  if ((kinds & didTwo) == 0) {
    if (r == 3) activity = 22;
    if (r == 4) activity = 12;
    if (r == 5) activity = 2;
  }
  if (r < 3) kinds = static_cast<Integer>(kinds | didOne);
  if (r > 2 && r < 6) kinds = static_cast<Integer>(kinds | didTwo);
  const Single minutes = m.gameVar(repairMinutesVar);
  const bool longRepair = m.gameFlag(thirdRepairLeftFlag) == 1;
  if ((longRepair && minutes < longRepairReportLimit) ||
      (!longRepair && minutes < shortRepairReportLimit)) {
    scenario::durationText(m);
  }
}

void crewOneThreeActivity(Main& m) {
  for (const int i : {1, 3}) {
    if (i == 1 && m.gameVar(radarJobVar) == 0) continue;  // no radar-room job
    Single& activity = crewActivity(m, i);
    Single& done = crewDoneBits(m, i);
    ageActivity(activity);
    const int r = draw(m, 7);
    if (activity != 0) continue;
    crewDuty(m, i) = 0;
    if (!hasBits(done, didTwo) && r == 3) {
      activity = 2;
      addBits(done, didTwo);
    }
    if (!hasBits(done, didOne) && r == 6 && m.gameFlag(activityStartFlag) == 0) {
      activity = 1;
      addBits(done, didOne);
    }
  }
}

void registerCrewActivity(scenario::RoutineTable& table) {
  table.add(29, hourlyCrewActivity);
  table.add(46, crewThreeActivity);
  table.add(47, crewOneThreeActivity);
}

}  // namespace zav3::ship
