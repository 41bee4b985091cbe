// The planning phase on the strategy panel.
#include "combat/planning_phase.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "combat/battle_flow.hpp"
#include "combat/combat_vars.hpp"
#include "combat/player_damage.hpp"
#include "combat/tactical_display.hpp"
#include "combat/vector_math.hpp"
#include "ship/bridge_orders.hpp"

namespace zav3::combat {

namespace {

using namespace vars;
using host::sj;

constexpr int orderArgVar = 37;

// Panel event codes (panelInput).
enum Code : Integer {
  pitchCode = 1,
  radarScaleCode = 2,
  zoomCode = 3,
  intervalCode = 4,
  yawCode = 5,
  viewResetCode = 6,
  acceptCode = 7,
  discardCode = 8,
  radarClickCode = 9,
  gaugeClickCode = 10,
  speedCode = 11,
  crossHairCode = 12,
  previousPointCode = 14,
  nextPointCode = 15,
  rangeCode = 16,
  weaponCode = 17,
  towardsPointCode = 18,
};

constexpr std::array<const char*, 8> speedItems{
    "   停 止",         "　　１０ｋｍ／ｓ", "　１００ｋｍ／ｓ", "１０００ｋｍ／ｓ",
    "光速の６４分の１", "光速の３２分の１", "光速の１６分の１", "光速の　８分の１"};
constexpr std::array<const char*, 3> weaponItems{"レーザー砲", "プラズマ砲", "波導砲"};

// The click areas: the radar plot's 200 x 200 and the gauge's left half, inside their pictures.
constexpr int radarLeft = 8, radarTop = 16, radarRight = 208, radarBottom = 216;
constexpr int gaugeLeft = 8, gaugeTop = 16, gaugeRight = 89, gaugeBottom = 136;
constexpr int gaugeCentreX = 80, gaugeCentreY = 60;

// What the phase found when it began, for BUTTON9.
struct Before {
  Single speedLevel;
  Integer intervalIndex;
  Integer elevation;
  Integer azimuth;
};

Integer wholeAzimuth(Single a) {
  return static_cast<Integer>(host::toInteger(a) % 360);
}

// An elevation as a course can have it, -90..90.
Integer wholeElevation(Single e) {
  return static_cast<Integer>(std::clamp<int>(host::toInteger(e), -90, 90));
}

void showTrackPoint(Main& m) {
  m.host.forms.setText(m.EDIT48, host::numberText(m.selectedTrackPoint).substr(1));
}

// A track point number typed into EDIT48 is taken when it is one of the points shown.
void takeTypedTrackPoint(Main& m) {
  const Bytes text = m.host.forms.text(m.EDIT48);
  const double typed = host::textToNumber(text);
  if (!text.empty() && typed == std::floor(typed) && typed >= 0 && typed <= m.lastTrackPoint(1)) {
    m.selectedTrackPoint = static_cast<Integer>(typed);
  }
}

// The enemy's track point j, km: its position and j steps of its distance per interval.
SpacePoint enemyTrackPoint(Main& m, Integer j) {
  SpacePoint p = enemyPosition(m);
  Long dx = 0, dy = 0, dz = 0;
  ZAHYO_SUB2(m.enemyCourseElevation, m.enemyCourseAzimuth, m.shipState(enemyStepState), dx, dy, dz,
             m.sinTable, m.cosTable);
  for (Integer i = 1; i <= j; ++i) IDOU_SUB(p.x, p.y, p.z, dx, dy, dz);
  return p;
}

void rebuildLists(Main& m) {
  host::Forms& forms = m.host.forms;
  const std::vector<Bytes> speeds = speedListItems(m);
  forms.listClear(m.COMBO1);
  for (const Bytes& item : speeds) forms.listAdd(m.COMBO1, item);
  Single& level = m.gameVar(speedLevelVar);
  level = std::clamp<Single>(static_cast<Single>(levelNumber(level)), 1,
                             static_cast<Single>(speeds.size()));
  forms.listSelect(m.COMBO1, static_cast<Integer>(level - 1));

  const std::vector<Integer> weapons = weaponsOffered(m);
  forms.listClear(m.COMBO2);
  for (Integer w : weapons) forms.listAdd(m.COMBO2, sj(weaponItems[w - 1]));
  const auto current = std::find(weapons.begin(), weapons.end(), m.rangeWeapon);
  if (current != weapons.end()) {
    forms.listSelect(m.COMBO2, static_cast<Integer>(current - weapons.begin()));
  } else if (!weapons.empty()) {
    m.rangeWeapon = weapons.front();
    forms.listSelect(m.COMBO2, 0);
  }
}

void showPanel(Main& m) {
  host::Forms& forms = m.host.forms;
  for (host::Handle h : {m.BUTTON12, m.BUTTON13, m.BUTTON15, m.EDIT48}) forms.setVisible(h, -1);
  m.selectedTrackPoint = 0;
  showTrackPoint(m);
  forms.setScrollValue(m.VSCROLL4, m.intervalIndex);
  forms.setScrollValue(m.VSCROLL2, m.radarDivisor);
  forms.setScrollValue(m.VSCROLL1, m.viewPitch);
  forms.setScrollValue(m.HSCROLL1, m.viewYaw);
  forms.setScrollValue(m.VSCROLL3, m.viewZoom);
  forms.setVisible(m.FORM3, -1);
  // The panel comes to the front with its "変更" button focused: Enter accepts the plan.
  forms.giveFocus(m.BUTTON8);
}

// Handles one event code; false once the plan was accepted or discarded.
bool handle(Main& m, Integer code) {
  host::Forms& forms = m.host.forms;
  switch (code) {
    case pitchCode:
      m.viewPitch = forms.scrollValue(m.VSCROLL1);
      redrawTacticalDisplay(m);
      break;
    case radarScaleCode:
      m.radarDivisor = forms.scrollValue(m.VSCROLL2);
      drawRadar(m);
      break;
    case zoomCode:
      m.viewZoom = forms.scrollValue(m.VSCROLL3);
      redrawTacticalDisplay(m);
      break;
    case intervalCode:
      m.intervalIndex = forms.scrollValue(m.VSCROLL4);
      storeDistancesPerInterval(m);
      redrawBattle(m);
      break;
    case yawCode:
      m.viewYaw = forms.scrollValue(m.HSCROLL1);
      redrawTacticalDisplay(m);
      break;
    case viewResetCode:
      resetView(m);
      redrawTacticalDisplay(m);
      break;
    case acceptCode:
    case discardCode:
      return false;
    case radarClickCode: {
      const Single x = m.mouseX, y = m.mouseY;
      if (x < radarLeft || y < radarTop || x >= radarRight || y >= radarBottom) break;
      Single a = 0;
      ATN_SUB(x - radarLeft - m.radarX(playerObject, 0), m.radarY(playerObject, 0) - y + radarTop,
              a);
      m.courseAzimuth = wholeAzimuth(a);
      redrawBattle(m);
      break;
    }
    case gaugeClickCode: {
      const Single x = m.mouseX, y = m.mouseY;
      if (x < gaugeLeft || y < gaugeTop || x >= gaugeRight || y >= gaugeBottom) break;
      Single a = 0;
      ATN_SUB(x - gaugeLeft - gaugeCentreX, gaugeCentreY - y + gaugeTop, a);
      // A click on the gauge's centre itself gives 180; the elevation is held to -90..90.
      m.courseElevation = wholeElevation(180 - a);
      redrawBattle(m);
      break;
    }
    case speedCode: {
      const Integer item = forms.listIndex(m.COMBO1);
      if (item < 0) break;
      m.gameVar(speedLevelVar) = static_cast<Single>(item + 1);
      storeDistancesPerInterval(m);
      redrawBattle(m);
      break;
    }
    case crossHairCode:
      m.crossHairShown = !m.crossHairShown;
      forms.setCaption(m.BUTTON10, sj(m.crossHairShown ? "十字表示ＯＦＦ" : "十字表示ＯＮ"));
      redrawTacticalDisplay(m);
      break;
    case previousPointCode:
    case nextPointCode: {
      takeTypedTrackPoint(m);
      const Integer last = m.lastTrackPoint(1);
      Integer& point = m.selectedTrackPoint;
      if (code == previousPointCode) {
        point = point <= 0 ? last : static_cast<Integer>(point - 1);
      } else {
        point = point >= last ? Integer{0} : static_cast<Integer>(point + 1);
      }
      showTrackPoint(m);
      redrawTacticalDisplay(m);
      break;
    }
    case rangeCode:
      m.rangeShown = !m.rangeShown;
      forms.setVisible(m.COMBO2, m.rangeShown ? -1 : 0);
      forms.setCaption(m.BUTTON14, sj(m.rangeShown ? "有効射程ＯＦＦ" : "有効射程ＯＮ"));
      redrawTacticalDisplay(m);
      break;
    case weaponCode: {
      const std::vector<Integer> weapons = weaponsOffered(m);
      const Integer item = forms.listIndex(m.COMBO2);
      if (item < 0 || item >= static_cast<Integer>(weapons.size())) break;
      m.rangeWeapon = weapons[static_cast<std::size_t>(item)];
      redrawBattle(m);
      break;
    }
    case towardsPointCode: {
      takeTypedTrackPoint(m);
      showTrackPoint(m);
      const SpacePoint from = playerPosition(m);
      const SpacePoint to = enemyTrackPoint(m, m.selectedTrackPoint);
      Single elevation = 0, azimuth = 0;
      ANGLE(from.x, from.y, from.z, to.x, to.y, to.z, elevation, azimuth);
      m.courseElevation = wholeElevation(elevation);
      m.courseAzimuth = wholeAzimuth(azimuth);
      redrawBattle(m);
      break;
    }
    default:
      break;
  }
  return true;
}

void accept(Main& m, const Before& before) {
  const Single planned = m.gameVar(speedLevelVar);
  if (planned != before.speedLevel) {
    // Ordered as the bridge orders speeds: from the level in force, with its reply texts.
    m.gameVar(speedLevelVar) = before.speedLevel;
    const Single orderArg = m.gameVar(orderArgVar);
    m.gameVar(orderArgVar) = planned;
    ship::speedOrder(m);
    m.gameVar(orderArgVar) = orderArg;
  }
  // The course texts come after the order's and take its slots when the course changed.
  if (m.courseElevation != before.elevation) {
    m.gameVar(resultVar) = 2;
    m.replyText(2) = host::fullWidthNumber(m.courseElevation);
  }
  if (m.courseAzimuth != before.azimuth) m.replyText(1) = host::fullWidthNumber(m.courseAzimuth);
  storeDistancesPerInterval(m);
}

// "現状維持": everything the plan changed goes back, the course as well as the interval and the
// speed (keeping a course picked on the radar would not keep things as they were).
void discard(Main& m, const Before& before) {
  m.gameVar(speedLevelVar) = before.speedLevel;
  m.intervalIndex = before.intervalIndex;
  m.host.forms.setScrollValue(m.VSCROLL4, m.intervalIndex);
  m.courseElevation = before.elevation;
  m.courseAzimuth = before.azimuth;
  storeDistancesPerInterval(m);
  redrawBattle(m);
}

}  // namespace

std::vector<Bytes> speedListItems(Main& m) {
  std::vector<Bytes> items;
  const Integer top = maxSpeedLevel(m);
  for (Integer level = 1; level <= top; ++level) items.push_back(sj(speedItems[level - 1]));
  return items;
}

std::vector<Integer> weaponsOffered(Main& m) {
  std::vector<Integer> weapons;
  if (systemDamage(m, laserSystem) == 0) weapons.push_back(1);
  if (systemDamage(m, plasmaSystem) == 0) weapons.push_back(2);
  if (m.gameVar(waveGunStateVar) == 2 && systemDamage(m, navRadarSystem) == 0) weapons.push_back(3);
  return weapons;
}

void planningPhase(Main& m) {
  // A course change is reported through gameVar 48; it starts clear so that an earlier 2 (the
  // enemy's turn) is not taken for the player's.
  m.gameVar(resultVar) = 0;
  rebuildLists(m);
  showPanel(m);
  const Before before{m.gameVar(speedLevelVar), m.intervalIndex, m.courseElevation,
                      m.courseAzimuth};
  storeDistancesPerInterval(m);
  redrawBattle(m);
  Integer code = 0;
  do {
    m.panelInput = 0;
    while (m.panelInput == 0) m.host.events->waitForEvent();
    code = m.panelInput;
  } while (handle(m, code));
  if (code == acceptCode) {
    accept(m, before);
  } else {
    discard(m, before);
  }
  m.gameVar(callArgVar) = code;
  m.host.forms.setVisible(m.FORM3, 0);
}

void registerPlanningRoutines(scenario::RoutineTable& table) {
  table.add(77, planningPhase);
}

}  // namespace zav3::combat
