// Crew whereabouts, skip mode and the switch panel: the fixed sound cues of the blip file
// (routine 102), the report of where five crew members are (103), skip mode on and off with its
// log (104, 105), the line pause (106, 107) and the switch-panel puzzle drawn from the picture
// CONCENT (108 start, 109 press a switch, 110 draw).
#include "ship/crew_whereabouts.hpp"

#include <array>
#include <string>

#include "host/drawing.hpp"
#include "scenario/media_cues.hpp"
#include "scenario/message_window.hpp"
#include "shell/game_state.hpp"
#include "shell/pictures.hpp"

namespace zav3::ship {

namespace {

using host::sj;

// gameVar indexes of this module.
constexpr int skipHoursVar = 48;
constexpr int panelResultVar = 47;
constexpr int pressedVar = 37;
constexpr int soundCueVar = 129;
constexpr int skipCounterVar = 132;

// gameFlag indexes of the switch panel: the bit set of the switches on, switch 1..11 on (1) or
// off (0), and the bit set before the last press.
constexpr int switchBitsFlag = 1300;
constexpr int previousBitsFlag = 1312;

constexpr int switchCount = 11;
constexpr int mostSwitchesOn = 5;
constexpr Integer keySwitches = 0xD2;
constexpr Integer solvedSwitches = 0x166;

// Results of a press in gameVar 47.
constexpr Single keySetMade = 1;
constexpr Single keySetBroken = 2;
constexpr Single panelSolved = 3;
constexpr Single tooManyOn = 4;

struct SoundCue {
  Long from;
  Long to;
};
constexpr std::array<SoundCue, 5> soundCues{{
    {12000, 21999},
    {22000, 32999},
    {33000, 55999},
    {56000, 99199},
    {16000, 21999},
}};

// Places and activities of the crew report.
constexpr Single movingPlace = 0;
constexpr Single bridgePlace = 1;

struct PlaceReport {
  Single place;
  const char* text;
};
constexpr std::array<PlaceReport, 5> placeReports{{
    {8, "食堂にいます。"},
    {9, "廊下にいます。"},
    {10, "トイレにいます。"},
    {11, "機関室にいます。"},
    {12, "レーダー室にいます。"},
}};

bool oneOf(Single value, std::initializer_list<Single> codes) {
  for (Single c : codes) {
    if (value == c) return true;
  }
  return false;
}

// The report of crew member p (2..6), or `current` when the place is none of the reported ones;
// each later rule replaces an earlier one.
Bytes crewReport(Single place, Single activity, int p, const Bytes& current) {
  Bytes report = current;
  if (place == bridgePlace) report = sj("ブリッジにいます。");
  if (place == static_cast<Single>(p + 1)) {
    report = sj("自室です。");
    if (oneOf(activity, {3, 13, 23})) report = sj("自室で就寝中です。");
    if (oneOf(activity, {4, 14, 24})) report = sj("自室で入浴中です。");
    if (oneOf(activity, {5, 15, 25})) report = sj("自室で入浴中です。");
  }
  for (const PlaceReport& r : placeReports) {
    if (place == r.place) report = sj(r.text);
  }
  if (place == movingPlace) report = sj("移動中です。");
  return report;
}

// Where switch i (1..11) and its lamp are drawn, and the column of its button images on the
// sheet: off at row 0, on at row 25. Lamp i's images are at ((i - 1) x 20, 50) off and
// ((i - 1) x 20, 70) on; switch 11's at (0, 90) and (0, 110).
struct SwitchPlace {
  int sheetColumn;
  int buttonX, buttonY;
  int lampX, lampY;
};
constexpr std::array<SwitchPlace, switchCount> switchPlaces{{
    {50, 307, 75, 367, 96},
    {75, 182, 242, 184, 202},
    {0, 188, 136, 228, 139},
    {50, 174, 3, 136, 30},
    {25, 561, 190, 606, 193},
    {25, 12, 74, 64, 77},
    {50, 73, 166, 41, 186},
    {0, 259, 187, 304, 189},
    {75, 337, 128, 286, 109},
    {25, 518, 72, 554, 103},
    {0, 101, 129, 146, 168},
}};
constexpr int buttonSize = 25;
constexpr int lampSize = 20;
constexpr int buttonOnRow = 25;
constexpr int lampOffRow = 50;
constexpr int lampOnRow = 70;
constexpr int lastLampOffY = 90;
constexpr int lastLampOnY = 110;

Integer& switchFlag(Main& m, int i) {
  return m.gameFlag(switchBitsFlag + i);
}

bool holdsKeySet(Integer bits) {
  return (bits & keySwitches) == keySwitches;
}

}  // namespace

void soundCue(Main& m) {
  const Single row = m.gameVar(soundCueVar);
  for (std::size_t i = 0; i < soundCues.size(); ++i) {
    if (row != static_cast<Single>(i + 1)) continue;
    scenario::sendSoundCommand(m, "PLAY WAV1 FROM " + std::to_string(soundCues[i].from) + " TO " +
                                      std::to_string(soundCues[i].to));
  }
  scenario::waitForSoundEnd(m);
}

void crewWhereabouts(Main& m) {
  for (int p = 2; p <= 6; ++p) {
    m.replyText(p) = crewReport(m.gameVar(5 * (p - 1) + 1), m.gameVar(84 + p), p, m.replyText(p));
  }
}

void skipModeOn(Main& m) {
  m.gameVar(skipCounterVar) = m.gameVar(skipHoursVar) * 60;
  scenario::openSkipLog(m);
}

void skipModeOff(Main& m) {
  m.gameVar(skipCounterVar) = 0;
  scenario::closeSkipLog(m);
}

void linePauseOn(Main& m) {
  m.linePauseOption = 1;
}

void linePauseOff(Main& m) {
  m.linePauseOption = 0;
}

void switchPanelStart(Main& m) {
  // The bit set of the switches on is cleared with the switches: the flags it shares with the
  // receiver log would otherwise start the panel with switches on that no flag shows.
  for (int i = 0; i <= switchCount + 1; ++i) switchFlag(m, i) = 0;
  if (m.P15 == 0) return;  // no controls: a run of the script alone
  m.pictureName = "CONCENT";
  shell::loadNamedPicture(m);
  host::drawBitmap(m.host.forms.surface(m.P15), m.scenePicture, 0, 0);
}

void pressSwitch(Main& m) {
  Single& result = m.gameVar(panelResultVar);
  result = 0;
  Integer& bits = m.gameFlag(switchBitsFlag);
  const Integer before = bits;
  m.gameFlag(previousBitsFlag) = before;
  // Choices 1..6 press switches 1..6, 7..10 switches 8..11, and 0 switch 7. Taken one after the
  // other the two rules would send 0 on to switch 8 as well, leaving switch 7, which both the key
  // set and the solution need, out of reach.
  long n = host::toLong(m.gameVar(pressedVar));
  if (n == 0) {
    n = 7;
  } else if (n >= 7) {
    n += 1;
  }
  // Any other number names no switch: nothing is pressed.
  if (n >= 1 && n <= switchCount) {
    const Integer bit = static_cast<Integer>(1 << (n - 1));
    int on = 0;
    for (int i = 1; i <= switchCount; ++i) on += switchFlag(m, i) == 1 ? 1 : 0;
    Integer& sw = switchFlag(m, static_cast<int>(n));
    if (sw == 1) {
      sw = 0;
      bits = static_cast<Integer>(bits - bit);
    } else if (on < mostSwitchesOn) {
      sw = 1;
      bits = static_cast<Integer>(bits + bit);
    } else {
      result = tooManyOn;
    }
  }
  if (result == 0) {
    if (holdsKeySet(bits) && !holdsKeySet(before)) result = keySetMade;
    if (holdsKeySet(before) && !holdsKeySet(bits)) result = keySetBroken;
  }
  if (bits == solvedSwitches) result = panelSolved;
}

void drawSwitchPanel(Main& m) {
  if (m.PICTURE1 == 0 || m.P15 == 0) return;  // no controls: a run of the script alone
  host::Surface& screen = m.host.forms.surface(m.PICTURE1);
  const host::Surface& sheet = m.host.forms.surface(m.P15);
  for (int i = 1; i <= switchCount; ++i) {
    const SwitchPlace& s = switchPlaces[static_cast<std::size_t>(i - 1)];
    const bool on = switchFlag(m, i) == 1;
    const int lampX = i == switchCount ? 0 : (i - 1) * lampSize;
    const int lampY =
        i == switchCount ? (on ? lastLampOnY : lastLampOffY) : (on ? lampOnRow : lampOffRow);
    host::copyRect(screen, s.buttonX, s.buttonY, buttonSize, buttonSize, sheet, s.sheetColumn,
                   on ? buttonOnRow : 0);
    host::copyRect(screen, s.lampX, s.lampY, lampSize, lampSize, sheet, lampX, lampY);
  }
}

void registerCrewWhereabouts(scenario::RoutineTable& table) {
  table.add(102, soundCue);
  table.add(103, crewWhereabouts);
  table.add(104, skipModeOn);
  table.add(105, skipModeOff);
  table.add(106, linePauseOn);
  table.add(107, linePauseOff);
  table.add(108, switchPanelStart);
  table.add(109, pressSwitch);
  table.add(110, drawSwitchPanel);
}

}  // namespace zav3::ship
