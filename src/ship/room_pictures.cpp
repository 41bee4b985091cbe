// Room scene pictures by the crew present, the visit selector, the room state and the hour; the
// speakers' costumes; the radar scope over the scene.
#include "ship/room_pictures.hpp"

#include <array>
#include <utility>

#include "host/drawing.hpp"
#include "scenario/hooks.hpp"
#include "ship/calendar.hpp"
#include "ship/crew_state.hpp"

namespace zav3::ship {

namespace {

using namespace vars;
using host::Long;

// gameVar indexes of this module.
constexpr int orderArgVar = 37;
constexpr int storySwitchVar = 60;
constexpr int presentCopyVar = 78;
constexpr int costumeFirstVar = 110;  // + speaker 1..6
constexpr int roomStateVar = 111;     // 0 or 6
constexpr int scopeSpotVar = 118;
constexpr int visitedVar = 127;
constexpr int heroineRestPictureVar = 128;

constexpr Long crewBits = 14;  // crew members 1 to 3 in the present set
constexpr Single roomStateSix = 6;
constexpr Single resting = 12;  // the activity shown by its own picture in the canteen
constexpr Single pictureBase = 100;
constexpr Integer none = 0;

// Routine 40: rows m = 14, 12, 10, 6, 4, 2; columns v = 0..4.
constexpr std::array<std::pair<Long, std::array<Integer, 5>>, 6> crewVisitPictures{{
    {14, {81, 62, 63, 64, 65}},
    {12, {80, none, none, 60, 61}},
    {10, {79, 58, 59, none, none}},
    {6, {78, 54, 55, 56, 57}},
    {4, {77, none, none, 52, 53}},
    {2, {76, 50, 51, none, none}},
}};

// Routine 41: the crew members among 1 to 3 present (m = 2 .. 14).
constexpr std::array<std::pair<Long, Integer>, 7> commonRoomPictures{
    {{14, 81}, {12, 80}, {10, 79}, {8, 85}, {6, 78}, {4, 77}, {2, 76}}};
// ... and the heroine with crew members 4 and 5 only.
constexpr std::array<std::pair<Long, Integer>, 3> commonRoomOthers{{{17, 82}, {33, 83}, {49, 84}}};
constexpr Single everyone = 63;
constexpr Integer everyonePicture = 10;
constexpr Integer heroineAlonePicture = 75;
constexpr Integer heroineBusyPicture = 202;
constexpr Single heroineBusy = 11;
constexpr Integer calmSong = 4;

// Routine 61: pictures A (away from duty), B (activity 1), C (activity 3) of crew member 1..5.
constexpr std::array<std::array<Integer, 3>, 5> cabinPictures{
    {{251, 245, 252}, {282, 275, 283}, {309, 303, 310}, {339, 333, 340}, {359, 353, 360}}};

// Routine 95.
constexpr std::array<std::pair<Integer, Integer>, 10> departurePictures{{
    {86, 266},
    {92, 267},
    {211, 268},
    {214, 269},
    {233, 266},
    {234, 267},
    {208, 266},
    {224, 267},
    {292, 268},
    {295, 269},
}};
constexpr Integer metAfterDeparture = 8;

// Routine 96: rows v = 0..6, columns t = 0..4 (whole hours of the clock modulo 5).
constexpr std::array<std::array<Integer, 5>, 7> visitHourPictures{{
    {228, 429, 430, 431, 432},
    {218, 433, 434, 435, 436},
    {437, 438, 439, 474, 257},
    {475, 476, 477, 478, 288},
    {527, 528, 529, 315, 479},
    {553, 554, 345, 551, 552},
    {558, 365, 555, 556, 557},
}};

// Routine 99: the scope's square on PICTURE1, the tile that fills the work bitmaps, and the two
// rectangles (first in colour 11, second in colour 7) drawn for each spot 2..4 (gameVar 118)
// and for the centre.
constexpr int scopeLeft = 400;
constexpr int scopeTop = 34;
constexpr int scopeSize = 200;
constexpr int tileSize = 8;
constexpr Integer firstColour = 11;
constexpr Integer secondColour = 7;
struct Box {
  int x1, y1, x2, y2;
};
constexpr std::array<std::array<Box, 2>, 3> spotBoxes{{
    {{{120, 30, 139, 49}, {100, 40, 129, 59}}},
    {{{70, 60, 89, 79}, {75, 75, 104, 104}}},
    {{{125, 135, 144, 154}, {100, 130, 129, 159}}},
}};
constexpr std::array<Box, 2> centreBoxes{{{93, 80, 112, 99}, {88, 75, 117, 104}}};

Single& var(Main& m, int i) {
  return m.gameVar(i);
}

Long wholeOf(Single value) {
  return host::toLong(value);
}

// The index of a value that must be one of 0..count-1 exactly; -1 for any other value.
int cellOf(Single value, int count) {
  for (int i = 0; i < count; ++i) {
    if (value == static_cast<Single>(i)) return i;
  }
  return -1;
}

void showPicture(Main& m) {
  m.hooks->showScenePicture(m, m.currentPicture);
}

// Shows the picture and loads it once more into the off-screen scene copy, even when it is the
// one already prepared there.
void showAndPrepare(Main& m) {
  showPicture(m);
  m.hooks->prepareEventPicture(m);
}

host::Surface& screenOf(Main& m) {
  return m.host.forms.surface(m.PICTURE1);
}

void drawScopeBoxes(Main& m, const std::array<Box, 2>& boxes) {
  host::Surface& a = m.radarBitmap;
  host::Surface& b = m.modelBitmap;
  host::copyRect(b, 0, 0, scopeSize, scopeSize, a, 0, 0);
  const Integer colours[2] = {firstColour, secondColour};
  for (int k = 0; k < 2; ++k) {
    host::Pen pen;
    pen.argb = host::argbOf(host::indexedColour(colours[k]));
    pen.mode = host::DrawMode::exclusiveOr;
    const Box& box = boxes[static_cast<std::size_t>(k)];
    host::drawBox(b, box.x1, box.y1, box.x2, box.y2, pen);
  }
  host::copyRect(screenOf(m), scopeLeft, scopeTop, scopeSize, scopeSize, b, 0, 0);
}

}  // namespace

Integer departureMapping(Integer picture) {
  for (const auto& [from, to] : departurePictures) {
    if (picture == from) return to;
  }
  return none;
}

Integer visitHourPicture(int visit, int hour) {
  if (visit < 0 || visit >= static_cast<int>(visitHourPictures.size()) || hour < 0 || hour > 4) {
    return none;
  }
  return visitHourPictures[static_cast<std::size_t>(visit)][static_cast<std::size_t>(hour)];
}

void pictureByCrewAndVisit(Main& m) {
  const Long crew = wholeOf(var(m, presentBitsVar)) & crewBits;
  const int v = cellOf(var(m, visitSelectorVar), 5);
  for (const auto& [bits, row] : crewVisitPictures) {
    if (bits == crew && v >= 0 && row[static_cast<std::size_t>(v)] != none) {
      m.currentPicture = row[static_cast<std::size_t>(v)];
    }
  }
  if (v == 2 || v == 4) {
    showAndPrepare(m);
  } else {
    showPicture(m);
  }
}

void commonRoomPicture(Main& m) {
  Single& present = var(m, presentBitsVar);
  if (heroineActivity(m) == heroineBusy) {
    present = 1;
    m.currentPicture = heroineBusyPicture;
    showPicture(m);
    return;
  }
  if (present == 1) {
    m.currentPicture = heroineAlonePicture;
  } else {
    const Long crew = wholeOf(present) & crewBits;
    for (const auto& [bits, picture] : commonRoomPictures) {
      if (crew > 0 && bits == crew) m.currentPicture = picture;
    }
    for (const auto& [set, picture] : commonRoomOthers) {
      if (crew == 0 && present == static_cast<Single>(set)) m.currentPicture = picture;
    }
  }
  if (var(m, arrivalCodeVar) > 0 || var(m, eventBitsVar) > 0 || var(m, storySwitchVar) > 0) {
    if (present == everyone) m.currentPicture = everyonePicture;
    if (m.currentSong != calmSong && (m.currentSong == 2 || m.currentSong == 3)) {
      m.hooks->music(m, calmSong);  // selects song 4 and starts it, as the script's MU does
    }
  }
  showPicture(m);
}

void canteenPicture(Main& m) {
  var(m, presentCopyVar) = var(m, presentBitsVar);
  Single& shown = var(m, visitSelectorVar);
  shown = var(m, presentBitsVar);
  for (int i = firstCrewMember; i <= lastCrewMember; ++i) {
    // A resting member is not drawn among the others. Its bit is cleared rather than subtracted
    // as first written, which would give a wrong picture number when the bit is not in the set.
    if (crewPlace(m, i) == canteenPlace && crewActivity(m, i) == resting) {
      removeBits(shown, crewBit(i));
    }
  }
  m.currentPicture = host::toInteger(shown + pictureBase);
  if (shown == 1) {
    if (heroineActivity(m) == resting) {
      m.currentPicture = host::toInteger(var(m, heroineRestPictureVar));
    } else if (var(m, roomStateVar) == roomStateSix) {
      m.currentPicture = static_cast<Integer>(pictureBase);
    }
  }
  showPicture(m);
}

void speakerCostumes(Main& m) {
  for (int i = 1; i <= 6; ++i) m.personTableA(i) = host::toInteger(var(m, costumeFirstVar + i));
}

void roomStatePicture(Main& m) {
  if (var(m, orderArgVar) == 5) {
    var(m, roomStateVar) = roomStateSix;
    m.currentPicture = 234;
  } else {
    var(m, roomStateVar) = 0;
    m.currentPicture = 233;
  }
  showPicture(m);
}

void roomStateSecondPicture(Main& m) {
  if (var(m, roomStateVar) == 0) m.currentPicture = 86;
  if (var(m, roomStateVar) == roomStateSix) m.currentPicture = 92;
  showPicture(m);
}

void cabinPicture(Main& m) {
  for (int i = firstCrewMember; i <= lastCrewMember; ++i) {
    if (var(m, heroinePlaceVar) != cabinOf(i) || crewActivity(m, i) >= 10) continue;
    const auto& pictures = cabinPictures[static_cast<std::size_t>(i - 1)];
    if (crewPlace(m, i) != crewDuty(m, i)) m.currentPicture = pictures[0];
    if (crewActivity(m, i) == 1) m.currentPicture = pictures[1];
    if (crewActivity(m, i) == 3) m.currentPicture = pictures[2];
  }
  showPicture(m);
}

void departurePicture(Main& m) {
  const Integer mapped = departureMapping(m.currentPicture);
  if (mapped != none) m.currentPicture = mapped;
  showPicture(m);
  var(m, visitedVar) = 1;
  heroineActivity(m) = 0;
  m.gameFlag(needsMetFlag) = static_cast<Integer>(m.gameFlag(needsMetFlag) | metAfterDeparture);
}

void pictureByVisitAndHour(Main& m) {
  const Long t =
      host::intRemainder(static_cast<double>(host::intDivide(var(m, clockMinutesVar), 60)), 5);
  const int v = cellOf(var(m, visitSelectorVar), static_cast<int>(visitHourPictures.size()));
  const Integer picture = visitHourPicture(v, static_cast<int>(t));
  if (picture != none) {
    m.currentPicture = picture;
    if (v <= 1) var(m, heroineRestPictureVar) = picture;
  }
  if (var(m, visitSelectorVar) > 1) {
    m.hooks->clearWindowAndFace(m);
    showAndPrepare(m);
  } else {
    showPicture(m);
  }
}

void radarScope(Main& m) {
  const int spot = static_cast<int>(m.host.random.next() * 3.0f);  // 0..2
  var(m, scopeSpotVar) = static_cast<Single>(2 + spot);
  const Single step = var(m, callArgVar);
  // The two work bitmaps are the two 200 x 200 ones of the battle display, free outside a
  // battle (whose set-up makes them anew): A keeps the screen under the scope, B is drawn on.
  host::Surface& a = m.radarBitmap;
  host::Surface& b = m.modelBitmap;
  if (step == 0) {
    for (host::Surface* work : {&a, &b}) {
      *work = host::Surface(scopeSize, scopeSize);
      host::stretchRect(*work, 0, 0, scopeSize, scopeSize, m.panelTile, 0, 0, tileSize, tileSize);
    }
    host::copyRect(a, 0, 0, scopeSize, scopeSize, screenOf(m), scopeLeft, scopeTop);
  }
  if (step <= 1) {
    drawScopeBoxes(m, spotBoxes[static_cast<std::size_t>(spot)]);
  } else if (step == 2) {
    drawScopeBoxes(m, centreBoxes);
  } else if (step == 3) {
    host::copyRect(screenOf(m), scopeLeft, scopeTop, scopeSize, scopeSize, a, 0, 0);
  }
}

void registerRoomPictures(scenario::RoutineTable& table) {
  table.add(40, pictureByCrewAndVisit);
  table.add(41, commonRoomPicture);
  table.add(42, canteenPicture);
  table.add(43, speakerCostumes);
  table.add(44, roomStatePicture);
  table.add(45, roomStateSecondPicture);
  table.add(61, cabinPicture);
  table.add(95, departurePicture);
  table.add(96, pictureByVisitAndHour);
  table.add(99, radarScope);
}

}  // namespace zav3::ship
