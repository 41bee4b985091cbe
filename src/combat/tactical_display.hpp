// The tactical display of a battle: the plot model of the two ships (positions, tracks,
// effective-range marks, axis star, reference point), its projection into the 200 x 200 view
// with the depth offset and the auto-fit of the zoom, the view itself, the top-down radar plot
// on PICTURE10, the elevation gauge on PICTURE11, the coordinate readout and the cover shown
// when both radars are lost. Everything is drawn into the off-screen bitmaps and picture boxes
// through the host's drawing services.
#pragma once

#include "shell/game_state.hpp"

namespace zav3::combat {

// Objects and points of the plot model.
inline constexpr int playerObject = 0;
inline constexpr int enemyObject = 1;
inline constexpr int starObject = 2;
inline constexpr int playerTipObject = 3;  // range tips of the player's track points
inline constexpr int enemyTipObject = 4;   // range tips of the enemy's track points
inline constexpr int lastPoint = 10;       // track points 1..10; the reference point of object 2

// Where the surfaces go.
inline constexpr int viewSize = 200;  // the view, the radar bitmap
inline constexpr int gaugeSize = 120;
inline constexpr int viewLeft = 392, viewTop = 35;       // the view on PICTURE1
inline constexpr int panelInsetX = 8, panelInsetY = 16;  // radar and gauge on their pictures
inline constexpr Integer zoomReset = 10000;
inline constexpr Integer zoomLast = 19900;  // the zoom scroll bar's maximum
inline constexpr Integer zoomStep = 100;

// Reach of the player's weapons (1 laser, 2 plasma gun, 3 wave gun) and of the enemy, km.
Double weaponRange(Integer weapon);
inline constexpr Double enemyRange = 40000;

// Parts of the battle set-up that the display needs: the speeds of the levels 1..8 in km/s
// (levelSpeed), the combat pictures ("NO" into P15, "spcg1" into PICTURE10, "spcg2" into
// PICTURE11, "spcg2_2" into PICTURE13, "spcg3" into PICTURE12), the work bitmaps created anew
// (radarBitmap and modelBitmap 200 x 200 filled with the panel tile, gaugeBitmap 120 x 120) and
// the axis star (object 2, points 0..5).
void fillLevelSpeed(Main& m);
void loadCombatPictures(Main& m);
void createCombatBitmaps(Main& m);
void buildAxisStar(Main& m);

// The view reset: yaw 0, pitch 0, zoom 10000, and the three scroll bars moved to match.
void resetView(Main& m);

// Builds the plot from shipState (positions, distances per step in slots 8 and 9), both
// courses, encounterKind, rangeWeapon and the place table: plotScale and the centre, both
// tracks, the reference point and its range marks, the range tips.
void buildPlot(Main& m);

// Depth offset and projection of every plot point into screenX / screenY, raising viewZoom (and
// the zoom scroll bar) by 100 while a ship's position lies outside the view.
void projectView(Main& m);

// Draws the projected plot into modelBitmap and copies it onto PICTURE1 at (392, 35); sets
// lastTrackPoint. Expects projectView to have run.
void drawView(Main& m);
// The top-down radar plot into radarBitmap, copied onto PICTURE10 at (8, 16); radarX / radarY
// hold its points (the player's position is radar point [0, 0]).
void drawRadar(Main& m);
// The elevation gauge into gaugeBitmap, copied onto PICTURE11 at (8, 16).
void drawGauge(Main& m);
// The coordinate readout: PRINT_SUB of shipState with both speeds and enemyDistance.
void drawReadout(Main& m);

// One full redraw: projection, then the view and the readout (or the cover when both radars
// are lost), the radar plot and the gauge.
void redrawTacticalDisplay(Main& m);

}  // namespace zav3::combat
