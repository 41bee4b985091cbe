// The tactical display: plot model, projection with depth offset and auto-fit, the view, the
// radar plot, the elevation gauge, the readout and the cover for lost radars.
#include "combat/tactical_display.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "combat/combat_vars.hpp"
#include "combat/vector_math.hpp"
#include "host/drawing.hpp"
#include "shell/pictures.hpp"

namespace zav3::combat {

namespace {

using namespace vars;

// Colours of the 16-colour table.
constexpr Integer starXColour = 14;
constexpr Integer starYColour = 10;
constexpr Integer starZColour = 12;
constexpr Integer playerTrackColour = 8;
constexpr Integer enemyTrackColour = 4;
constexpr Integer markColour = 9;
constexpr Integer referenceColour = 1;
constexpr Integer playerRangeColour = 11;
constexpr Integer enemyRangeColour = 13;
constexpr Integer gaugeShipColour = 14;
constexpr Integer gaugeTextColour = 11;
constexpr std::array<Integer, 3> referenceRangeColours{10, 12, 4};

constexpr int markRadius = 2;
constexpr int selectedMarkRadius = 4;
constexpr int referenceRadius = 4;
constexpr Single starArm = 80;
constexpr Double referenceRanges[3] = {100000, 50000, 25000};
constexpr Double referenceMarkReach = 2000000;  // the reference marks show within this, km
constexpr int coverWidth = 342;                 // the readout and the view: 250 .. 591
constexpr int gaugeTextX = 86, gaugeTextY = 98;

// The speeds of the levels 1..8 in km/s.
constexpr std::array<Double, 9> levelSpeeds{0, 0, 10, 100, 1000, 4676, 9352, 18704.6, 37409.3};

// A range tip farther than this (plot units) from its track point lies far outside any view;
// longer reaches are shortened to it so that the step vector fits a 32-bit long even when the
// ships are a fraction of a kilometre apart and a plot unit is tiny.
constexpr Single longestReach = 1.0e8f;

// Coordinates beyond this are wholly outside the 200 x 200 surfaces; a figure reaching them is
// not drawn (it could only be a track collapsed onto a position far outside the view).
constexpr double farOff = 1.0e9;

bool drawable(double v) {
  return std::isfinite(v) && std::fabs(v) < farOff;
}

bool outsideView(Single x, Single y) {
  return x < 0.0f || x > static_cast<Single>(viewportLast) || y < 0.0f ||
         y > static_cast<Single>(viewportLast);
}

host::Pen pen(Integer colour) {
  return host::Pen{host::argbOf(host::indexedColour(colour))};
}

void fillWithTile(host::Surface& target, const host::Surface& tile, int x, int y, int width,
                  int height) {
  host::stretchRect(target, x, y, width, height, tile, 0, 0, 8, 8);
}

void line(host::Surface& s, double x1, double y1, double x2, double y2, Integer colour) {
  if (drawable(x1) && drawable(y1) && drawable(x2) && drawable(y2))
    host::drawLine(s, x1, y1, x2, y2, pen(colour));
}

void circle(host::Surface& s, double x, double y, double radius, Integer colour) {
  if (drawable(x) && drawable(y)) host::drawCircle(s, x, y, radius, pen(colour));
}

void mark(host::Surface& s, double x, double y, int radius) {
  circle(s, x, y, radius, markColour);
  if (drawable(x) && drawable(y)) host::drawPoint(s, x, y, pen(markColour));
}

// The position of plot point [object, point] plus a step.
void addStep(Main& m, int object, int point, int from, Long dx, Long dy, Long dz) {
  m.plotX(object, point) = m.plotX(from, point) + static_cast<Single>(dx);
  m.plotY(object, point) = m.plotY(from, point) + static_cast<Single>(dy);
  m.plotZ(object, point) = m.plotZ(from, point) + static_cast<Single>(dz);
}

void normalise(Main& m, int object, int point, const SpacePoint& p) {
  ZAHYO_SUB4(object, point, m.plotScale, m.plotX, m.plotY, m.plotZ, m.plotCentreX, m.plotCentreY,
             m.plotCentreZ, p.x, p.y, p.z);
}

void buildTrack(Main& m, int ship, SpacePoint p, Integer elevation, Integer azimuth,
                Double distance) {
  normalise(m, ship, 0, p);
  Long dx = 0, dy = 0, dz = 0;
  ZAHYO_SUB2(elevation, azimuth, distance, dx, dy, dz, m.sinTable, m.cosTable);
  for (int j = 1; j <= lastPoint; ++j) {
    IDOU_SUB(p.x, p.y, p.z, dx, dy, dz);
    normalise(m, ship, j, p);
  }
}

Single reachInPlotUnits(const Main& m, Double km) {
  return std::min(static_cast<Single>(km / m.plotScale), longestReach);
}

void buildRangeTips(Main& m) {
  const Single playerReach = reachInPlotUnits(m, weaponRange(m.rangeWeapon));
  const Single enemyReach = reachInPlotUnits(m, enemyRange);
  for (int j = 0; j <= lastPoint; ++j) {
    Long dx = 0, dy = 0, dz = 0;
    ZAHYO_SUB3(m.courseElevation, m.courseAzimuth, playerReach, dx, dy, dz, m.sinTable, m.cosTable);
    addStep(m, playerTipObject, j, playerObject, dx, dy, dz);
    Single elevation = 0, azimuth = 0;
    ANGLE(m.plotX(enemyObject, j), m.plotY(enemyObject, j), m.plotZ(enemyObject, j),
          m.plotX(playerObject, j), m.plotY(playerObject, j), m.plotZ(playerObject, j), elevation,
          azimuth);
    ZAHYO_SUB3(host::toInteger(elevation), host::toInteger(azimuth), enemyReach, dx, dy, dz,
               m.sinTable, m.cosTable);
    addStep(m, enemyTipObject, j, enemyObject, dx, dy, dz);
  }
}

// Points 7, 8 and 9 of object 2: the reference point moved along +x by 100000, 50000 and
// 25000 km, so that circles about it through them show those distances.
void buildReferenceMarks(Main& m) {
  for (int k = 0; k < 3; ++k) {
    const int point = 7 + k;
    m.plotX(starObject, point) =
        m.plotX(starObject, lastPoint) + static_cast<Single>(referenceRanges[k] / m.plotScale);
    m.plotY(starObject, point) = m.plotY(starObject, lastPoint);
    m.plotZ(starObject, point) = m.plotZ(starObject, lastPoint);
  }
}

void rotate(Main& m, int object, int point, Double& rx, Double& ry, Double& rz) {
  KAITEN_SUB(m.viewYaw, m.viewPitch, object, point, m.plotX, m.plotY, m.plotZ, rx, ry, rz,
             m.sinTable, m.cosTable);
}

void project(Main& m, int object, int point) {
  Double rx = 0, ry = 0, rz = 0;
  rotate(m, object, point, rx, ry, rz);
  // A point at or behind the eye has no image; it is put on the nearest plane in front of it
  // instead, which throws it far outside the view where the clipping takes care of it (the
  // projection would otherwise divide by zero or mirror the point into the view).
  if (ry + m.viewDepth < 1.0) ry = 1.0 - m.viewDepth;
  TOSHI_SUB(m.viewZoom, m.viewDepth, object, point, m.screenX, m.screenY, rx, ry, rz);
}

void setDepthOffset(Main& m) {
  Double nearest = 0;
  bool first = true;
  // Both ends of both tracks: the position can lie nearer than the track's end.
  for (int ship : {playerObject, enemyObject}) {
    for (int point : {lastPoint, 0}) {
      Double rx = 0, ry = 0, rz = 0;
      rotate(m, ship, point, rx, ry, rz);
      if (first || ry < nearest) nearest = ry;
      first = false;
    }
  }
  m.viewDepth = nearest <= -10000.0 ? host::toLong(std::fabs(nearest) + 1.0) : 10000;
}

// Projects the track of a ship up to the first point outside the view; returns that point (or
// 10), or -1 when the ship's own position lies outside and the zoom can still grow.
int projectTrack(Main& m, int ship) {
  for (int j = 0; j <= lastPoint; ++j) {
    project(m, ship, j);
    if (!outsideView(m.screenX(ship, j), m.screenY(ship, j))) continue;
    if (j > 0) return j;
    // The auto-fit stops at the zoom scroll bar's maximum: past it the bar would refuse the
    // value, and at 20000 the focal length vanishes. The position then stays outside and its
    // track collapses onto it when drawn.
    if (m.viewZoom < zoomLast) return -1;
  }
  return lastPoint;
}

// The line of a ship's track from point 0 to `end`, clipped, and the marks of the points up to
// it (one fewer when the clip shortened the line). Returns the last marked point.
int drawTrack(Main& m, host::Surface& s, Array2<Single>& xs, Array2<Single>& ys, int ship, int end,
              bool drawLine) {
  Integer clipped = 0;
  HAMIDASU_SUB(ship, end, xs, ys, xs(ship, 0), ys(ship, 0), clipped);
  if (drawLine) {
    line(s, xs(ship, 0), ys(ship, 0), xs(ship, end), ys(ship, end),
         ship == playerObject ? playerTrackColour : enemyTrackColour);
  }
  const int lastMarked = end - clipped;
  if (m.trackMarksShown) {
    for (int j = 0; j <= lastMarked; ++j) mark(s, xs(ship, j), ys(ship, j), markRadius);
  }
  return lastMarked;
}

// The first track point of a ship outside the radar plot, or 10.
int radarTrackEnd(const Main& m, int ship) {
  for (int j = 1; j <= lastPoint; ++j) {
    if (outsideView(m.radarX(ship, j), m.radarY(ship, j))) return j;
  }
  return lastPoint;
}

// A radar coordinate: 100 + int(v) \ d. Values beyond the range of a long lie far outside the
// plot and are held at its limit (the division would overflow).
Single radarCoordinate(Single v, Integer divisor, int sign) {
  const double whole = std::clamp(host::intPart(v), -2.0e9, 2.0e9);
  return static_cast<Single>(100 + sign * host::intDivide(whole, divisor));
}

bool enemyDestroyedNow(Main& m) {
  return (enemyStatus(m) & enemyDestroyed) != 0;
}

}  // namespace

Double weaponRange(Integer weapon) {
  switch (weapon) {
    case 2:
      return 20000;
    case 3:
      return 50000;
    default:
      return 300000;
  }
}

void fillLevelSpeed(Main& m) {
  for (int level = 0; level <= 8; ++level) m.levelSpeed(level) = levelSpeeds[level];
}

void loadCombatPictures(Main& m) {
  const std::array<std::pair<const char*, host::Handle>, 5> pictures{{
      {"NO", m.P15},
      {"spcg1", m.PICTURE10},
      {"spcg2", m.PICTURE11},
      {"spcg2_2", m.PICTURE13},
      {"spcg3", m.PICTURE12},
  }};
  for (const auto& [name, control] : pictures) {
    m.pictureName = name;
    shell::loadNamedPicture(m);
    host::drawBitmap(m.host.forms.surface(control), m.scenePicture, 0, 0);
  }
  // PICTURE13 is only the store of the gauge's background; shown, it would lie over the gauge
  // on PICTURE11.
  m.host.forms.setVisible(m.PICTURE13, 0);
}

void createCombatBitmaps(Main& m) {
  m.radarBitmap = host::Surface(viewSize, viewSize);
  m.modelBitmap = host::Surface(viewSize, viewSize);
  m.gaugeBitmap = host::Surface(gaugeSize, gaugeSize);
  fillWithTile(m.radarBitmap, m.panelTile, 0, 0, viewSize, viewSize);
  fillWithTile(m.modelBitmap, m.panelTile, 0, 0, viewSize, viewSize);
}

void buildAxisStar(Main& m) {
  const std::array<std::array<Single, 3>, 6> arms{{{starArm, 0, 0},
                                                   {-starArm, 0, 0},
                                                   {0, starArm, 0},
                                                   {0, -starArm, 0},
                                                   {0, 0, starArm},
                                                   {0, 0, -starArm}}};
  for (int i = 0; i < 6; ++i) {
    m.plotX(starObject, i) = arms[i][0];
    m.plotY(starObject, i) = arms[i][1];
    m.plotZ(starObject, i) = arms[i][2];
  }
}

void resetView(Main& m) {
  m.viewZoom = zoomReset;
  m.viewYaw = 0;
  m.viewPitch = 0;
  host::Forms& forms = m.host.forms;
  if (m.VSCROLL3 != 0) forms.setScrollValue(m.VSCROLL3, m.viewZoom);
  if (m.HSCROLL1 != 0) forms.setScrollValue(m.HSCROLL1, m.viewYaw);
  if (m.VSCROLL1 != 0) forms.setScrollValue(m.VSCROLL1, m.viewPitch);
}

void buildPlot(Main& m) {
  const SpacePoint player = playerPosition(m);
  const SpacePoint enemy = enemyPosition(m);
  Array<Double> box(0, 6);
  box(0) = player.x;
  box(1) = player.y;
  box(2) = player.z;
  box(4) = enemy.x;
  box(5) = enemy.y;
  box(6) = enemy.z;
  Double x1 = 0, y1 = 0, z1 = 0, x2 = 0, y2 = 0, z2 = 0;
  SHUKU_SUB(m.plotScale, box, x1, y1, z1, x2, y2, z2, m.plotCentreX, m.plotCentreY, m.plotCentreZ);
  buildTrack(m, playerObject, player, m.courseElevation, m.courseAzimuth,
             m.shipState(playerStepState));
  buildTrack(m, enemyObject, enemy, m.enemyCourseElevation, m.enemyCourseAzimuth,
             m.shipState(enemyStepState));
  normalise(m, starObject, lastPoint, m.placePos(referencePlace(m)));
  buildReferenceMarks(m);
  buildRangeTips(m);
}

void projectView(Main& m) {
  setDepthOffset(m);
  for (;;) {
    const int playerEnd = projectTrack(m, playerObject);
    const int enemyEnd = playerEnd < 0 ? -1 : projectTrack(m, enemyObject);
    if (playerEnd >= 0 && enemyEnd >= 0) {
      m.trackReach(0) = static_cast<Integer>(playerEnd);
      m.trackReach(1) = static_cast<Integer>(enemyEnd);
      break;
    }
    m.viewZoom = static_cast<Integer>(m.viewZoom + zoomStep);
    if (m.VSCROLL3 != 0) m.host.forms.setScrollValue(m.VSCROLL3, m.viewZoom);
  }
  for (int point = 0; point <= lastPoint; ++point) {
    if (point <= 5 || point >= 7) project(m, starObject, point);
    project(m, playerTipObject, point);
    project(m, enemyTipObject, point);
  }
}

void drawView(Main& m) {
  host::Surface& s = m.modelBitmap;
  if (s.width() != viewSize || s.height() != viewSize) s = host::Surface(viewSize, viewSize);
  fillWithTile(s, m.panelTile, 0, 0, viewSize, viewSize);
  const bool destroyed = enemyDestroyedNow(m);

  if (m.rangeShown) {
    for (int j = 0; j <= lastPoint; ++j) {
      for (int tip : {playerTipObject, enemyTipObject}) {
        const int ship = tip == playerTipObject ? playerObject : enemyObject;
        if (ship == enemyObject && destroyed) continue;
        Integer clipped = 0;
        const Single ax = m.screenX(ship, j), ay = m.screenY(ship, j);
        HAMIDASU_SUB(tip, j, m.screenX, m.screenY, ax, ay, clipped);
        line(s, ax, ay, m.screenX(tip, j), m.screenY(tip, j),
             ship == playerObject ? playerRangeColour : enemyRangeColour);
      }
    }
  }
  if (m.crossHairShown) {
    const std::array<Integer, 3> colours{starXColour, starYColour, starZColour};
    for (int axis = 0; axis < 3; ++axis) {
      line(s, m.screenX(starObject, 2 * axis), m.screenY(starObject, 2 * axis),
           m.screenX(starObject, 2 * axis + 1), m.screenY(starObject, 2 * axis + 1), colours[axis]);
    }
  }

  const Single refX = m.screenX(starObject, lastPoint), refY = m.screenY(starObject, lastPoint);
  circle(s, refX, refY, referenceRadius, referenceColour);
  if (encounterKind(m) == 4 && m.rangeShown) {
    Double distance = 0;
    const SpacePoint player = playerPosition(m);
    const SpacePoint& ref = m.placePos(referencePlace(m));
    KYORI_SUB(distance, player.x, player.y, player.z, ref.x, ref.y, ref.z);
    if (distance <= referenceMarkReach) {
      for (int k = 0; k < 3; ++k) {
        const int point = 7 + k;
        const double radius =
            std::hypot(m.screenX(starObject, point) - refX, m.screenY(starObject, point) - refY);
        circle(s, refX, refY, radius, referenceRangeColours[k]);
        Integer clipped = 0;
        HAMIDASU_SUB(starObject, point, m.screenX, m.screenY, refX, refY, clipped);
        line(s, refX, refY, m.screenX(starObject, point), m.screenY(starObject, point),
             referenceRangeColours[k]);
      }
    }
  }

  m.lastTrackPoint(0) = static_cast<Integer>(
      drawTrack(m, s, m.screenX, m.screenY, playerObject, m.trackReach(0), true));
  m.lastTrackPoint(1) = static_cast<Integer>(
      drawTrack(m, s, m.screenX, m.screenY, enemyObject, m.trackReach(1), !destroyed));
  const bool pointControlsShown = m.BUTTON12 != 0 && m.host.forms.isVisible(m.BUTTON12) != 0;
  const Integer selected = m.selectedTrackPoint;
  if (pointControlsShown && selected >= 0 && selected <= m.lastTrackPoint(1)) {
    mark(s, m.screenX(enemyObject, selected), m.screenY(enemyObject, selected), selectedMarkRadius);
  }
  host::copyRect(m.host.forms.surface(m.PICTURE1), viewLeft, viewTop, viewSize, viewSize, s, 0, 0);
}

void drawRadar(Main& m) {
  host::Surface& s = m.radarBitmap;
  if (s.width() != viewSize || s.height() != viewSize) s = host::Surface(viewSize, viewSize);
  fillWithTile(s, m.panelTile, 0, 0, viewSize, viewSize);
  const Integer d = m.radarDivisor;
  for (int object : {playerObject, enemyObject, starObject}) {
    for (int j = 0; j <= lastPoint; ++j) {
      m.radarX(object, j) = radarCoordinate(m.plotX(object, j), d, 1);
      m.radarY(object, j) = radarCoordinate(m.plotY(object, j), d, -1);
    }
  }
  const Single refX = m.radarX(starObject, lastPoint), refY = m.radarY(starObject, lastPoint);
  if (!outsideView(refX, refY)) circle(s, refX, refY, referenceRadius, referenceColour);
  drawTrack(m, s, m.radarX, m.radarY, playerObject, radarTrackEnd(m, playerObject), true);
  drawTrack(m, s, m.radarX, m.radarY, enemyObject, radarTrackEnd(m, enemyObject),
            !enemyDestroyedNow(m));
  host::copyRect(m.host.forms.surface(m.PICTURE10), panelInsetX, panelInsetY, viewSize, viewSize, s,
                 0, 0);
}

void drawGauge(Main& m) {
  host::Surface& s = m.gaugeBitmap;
  if (s.width() != gaugeSize || s.height() != gaugeSize) s = host::Surface(gaugeSize, gaugeSize);
  host::copyRect(s, 0, 0, gaugeSize, gaugeSize, m.host.forms.surface(m.PICTURE13), 0, 0);
  // The display angle: 180 - elevation for elevations up to 90, 540 - elevation from 270 on
  // (the same direction written 0..359). Elevations in between are no course the ship can take;
  // they are read as their equivalent in -180..180 so that the angle stays a table index.
  const Integer elevation = m.courseElevation;
  const int signedElevation = elevation > 180 ? elevation - 360 : elevation;
  const int a = std::clamp(180 - signedElevation, 0, 360);
  const Single c = m.cosTable(a), sn = m.sinTable(a);
  constexpr std::array<std::array<Single, 2>, 3> ship{{{-50, 0}, {0, -10}, {0, 10}}};
  std::array<std::array<Single, 2>, 3> at{};
  for (int i = 0; i < 3; ++i) {
    const Single x = ship[i][0], y = ship[i][1];
    at[i] = {80 - (x * c + y * sn), 60 - (y * c - x * sn)};
  }
  for (int i = 0; i < 3; ++i) {
    const auto& p = at[i];
    const auto& q = at[(i + 1) % 3];
    line(s, p[0], p[1], q[0], q[1], gaugeShipColour);
  }
  const host::Control& box = m.host.forms.control(m.PICTURE11);
  shell::textRenderer(m).draw(s, host::FontSpec{box.fontName, box.fontSize}, gaugeTextX, gaugeTextY,
                              host::numberText(elevation),
                              host::argbOf(host::indexedColour(gaugeTextColour)));
  host::copyRect(m.host.forms.surface(m.PICTURE11), panelInsetX, panelInsetY, gaugeSize, gaugeSize,
                 s, 0, 0);
}

void drawReadout(Main& m) {
  Array<Double> extra(0, 2);
  extra(0) = m.levelSpeed(levelNumber(m.gameVar(speedLevelVar)));
  extra(1) = m.levelSpeed(levelNumber(m.enemySpeedLevel));
  extra(2) = m.enemyDistance;
  PRINT_SUB(m.shipState, extra, m.gameFlag, m.host.forms, m.panelTile, shell::textRenderer(m));
}

void redrawTacticalDisplay(Main& m) {
  projectView(m);
  const Integer lost = playerNavRadarLost | playerRadarLost;
  if ((playerStatus(m) & lost) == lost) {
    // The cover reaches over the whole view (392 + 200), two columns farther than 340 pixels
    // would, which left a stale strip of the last view beside it.
    fillWithTile(m.host.forms.surface(m.PICTURE1), m.panelTile, readoutLeft, readoutTop, coverWidth,
                 viewSize);
  } else {
    drawView(m);
    drawReadout(m);
  }
  drawRadar(m);
  drawGauge(m);
}

}  // namespace zav3::combat
