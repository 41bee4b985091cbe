// A battle screen on a host of any kind: the main form and FORM3 bound and laid out, the demo's
// panel tile and combat pictures loaded, the tables and bitmaps a battle set-up makes, and two
// ships placed at known positions. Shared by the combat screen tests, the window check and the
// display benchmark.
#pragma once

#include <filesystem>

#include "combat/combat_vars.hpp"
#include "combat/tactical_display.hpp"
#include "combat/vector_math.hpp"
#include "combat/weapons.hpp"
#include "shell/main_form.hpp"
#include "shell/pictures.hpp"

namespace zav3::testing {

// Binds the forms and loads the combat pictures of the game folder `game` (a real path).
inline void setUpBattleScreen(Main& m, const std::filesystem::path& game) {
  shell::bindMainFormControls(m);
  shell::loadPanelForm(m);
  shell::setUpScreenGeometry(m);
  shell::registerEventProcedures(m);
  m.pictureFolder = m.host.files.paths().toGame(game) + "\\MAINCG\\";
  m.pictureName = "BF_COLOR";
  shell::loadNamedPicture(m);
  m.panelTile = m.scenePicture;
  combat::fillAngleTables(m.sinTable, m.cosTable);
  combat::fillLevelSpeed(m);
  combat::loadCombatPictures(m);
  combat::createCombatBitmaps(m);
  combat::buildAxisStar(m);
  combat::resetView(m);
  combat::loadPartTable(m);
  m.radarDivisor = 1;
}

struct ShipPlacement {
  SpacePoint position;
  Integer elevation = 0, azimuth = 0;
  Integer speedLevel = 1;
  Double stepKm = 0;  // distance per planning interval
};

inline void placeShips(Main& m, const ShipPlacement& player, const ShipPlacement& enemy) {
  using namespace combat::vars;
  m.shipState(playerXState) = player.position.x;
  m.shipState(playerXState + 1) = player.position.y;
  m.shipState(playerXState + 2) = player.position.z;
  m.shipState(enemyXState) = enemy.position.x;
  m.shipState(enemyXState + 1) = enemy.position.y;
  m.shipState(enemyXState + 2) = enemy.position.z;
  m.shipState(playerStepState) = player.stepKm;
  m.shipState(enemyStepState) = enemy.stepKm;
  m.courseElevation = player.elevation;
  m.courseAzimuth = player.azimuth;
  m.gameVar(speedLevelVar) = player.speedLevel;
  m.enemyCourseElevation = enemy.elevation;
  m.enemyCourseAzimuth = enemy.azimuth;
  m.enemySpeedLevel = enemy.speedLevel;
}

// The standard scene: the player at the origin heading +x at 1000 km/s (5000 km per
// interval), the enemy 100000 km ahead heading +y at 100 km/s (2000 km per interval); the
// plot scale is 1000 km, the player at plot (-50, 0, 0), the enemy at (50, 0, 0).
inline void placeStandardShips(Main& m) {
  placeShips(m, {{0, 0, 0}, 0, 0, 4, 5000}, {{100000, 0, 0}, 0, 90, 3, 2000});
  m.shipState(combat::vars::targetDistanceState) = 250000;
}

// The standard scene with the cross-hair and the effective-range marks shown, drawn once.
inline void drawStandardBattle(Main& m, const std::filesystem::path& game) {
  setUpBattleScreen(m, game);
  placeStandardShips(m);
  m.crossHairShown = true;
  m.rangeShown = true;
  combat::buildPlot(m);
  combat::redrawTacticalDisplay(m);
}

}  // namespace zav3::testing
