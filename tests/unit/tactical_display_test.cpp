// The tactical display on the demo's combat pictures: plot scale and centre, tracks and range
// tips, the depth offset, the auto-fit of the zoom, a track cut at the border and one collapsed
// onto a position outside the view, the view reset, and the pixels of the view, the radar plot,
// the gauge, the readout and the cover. Writes the composed screen and panel as PNG files
// (combat_screen.png, combat_panel.png) for a look.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/headless/headless_display.hpp"
#include "host/host.hpp"
#include "host/png.hpp"
#include "support/combat_scene.hpp"

namespace zav3::testing {
namespace {

using namespace combat::vars;

constexpr std::uint32_t grey = 0xFF808080u;     // colour 8: the player's track
constexpr std::uint32_t blue = 0xFF0000FFu;     // colour 9: track marks
constexpr std::uint32_t navy = 0xFF000080u;     // colour 1: the reference point
constexpr std::uint32_t yellow = 0xFFFFFF00u;   // colour 14: x axis, the gauge's ship
constexpr std::uint32_t red = 0xFFFF0000u;      // colour 12: z axis
constexpr std::uint32_t cyan = 0xFF00FFFFu;     // colour 11: the player's reach
constexpr std::uint32_t magenta = 0xFFFF00FFu;  // colour 13: the enemy's reach
constexpr std::uint32_t black = 0xFF000000u;

class TacticalDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = host::makeHeadlessHost();
    game_ = std::make_unique<Main>(*host_);
    setUpBattleScreen(m(), ZAV3_DEMO_DIR);
    placeStandardShips(m());
    m().placePos(10) = {50000, -30000, 0};  // the reference point, plot (0, -30, 0)
  }
  Main& m() { return *game_; }
  host::Surface& surface(host::Handle h) { return host_->forms.surface(h); }
  // A pixel of the view as it stands on PICTURE1.
  std::uint32_t view(int x, int y) { return surface(m().PICTURE1).at(392 + x, 35 + y); }
  std::uint32_t tile() { return m().panelTile.at(0, 0); }
  void redraw() {
    combat::buildPlot(m());
    combat::redrawTacticalDisplay(m());
  }

  std::unique_ptr<host::Host> host_;
  std::unique_ptr<Main> game_;
};

TEST_F(TacticalDisplayTest, PlotScaleTracksTipsAndDepth) {
  combat::buildPlot(m());
  EXPECT_DOUBLE_EQ(m().plotScale, 1000);
  EXPECT_FLOAT_EQ(m().plotX(0, 0), -50);
  EXPECT_FLOAT_EQ(m().plotX(1, 0), 50);
  EXPECT_FLOAT_EQ(m().plotX(0, 10), 0);   // ten steps of 5000 km along +x
  EXPECT_FLOAT_EQ(m().plotY(1, 10), 20);  // ten steps of 2000 km along +y
  EXPECT_FLOAT_EQ(m().plotX(2, 10), 0);
  EXPECT_FLOAT_EQ(m().plotY(2, 10), -30);
  EXPECT_FLOAT_EQ(m().plotX(3, 0), 250);  // the laser's 300000 km straight ahead
  EXPECT_FLOAT_EQ(m().plotX(4, 0), 10);   // the enemy's 40000 km towards the player
  EXPECT_FLOAT_EQ(m().plotX(2, 7), 100);  // 100000 km from the reference point
  m().rangeWeapon = 2;
  combat::buildPlot(m());
  EXPECT_FLOAT_EQ(m().plotX(3, 0), -30);  // the plasma gun's 20000 km

  combat::projectView(m());
  EXPECT_EQ(m().viewDepth, 10000);
  EXPECT_FLOAT_EQ(m().screenX(0, 0), 50);
  EXPECT_FLOAT_EQ(m().screenY(0, 0), 100);
  EXPECT_FLOAT_EQ(m().screenX(2, 4), 100);  // the star's +z arm
  EXPECT_FLOAT_EQ(m().screenY(2, 4), 20);
  // A track running 20000 plot units towards the eye moves the eye back behind it.
  placeShips(m(), {{0, 0, 0}, 0, 0, 4, 5000}, {{100000, 0, 0}, 0, 270, 8, 2.0e6});
  combat::buildPlot(m());
  combat::projectView(m());
  EXPECT_EQ(m().viewDepth, 20001);

  // Two ships at the same position: scale 1, both at the plot's centre.
  placeShips(m(), {{4.9e8, -1.8e8, 1050}, 0, 0, 1, 0}, {{4.9e8, -1.8e8, 1050}, 0, 0, 1, 0});
  combat::buildPlot(m());
  EXPECT_DOUBLE_EQ(m().plotScale, 1);
  EXPECT_FLOAT_EQ(m().plotX(1, 0), 0);
  EXPECT_FLOAT_EQ(m().plotZ(1, 0), 0);
  combat::projectView(m());
  EXPECT_FLOAT_EQ(m().screenX(1, 0), 100);
  EXPECT_FLOAT_EQ(m().screenY(1, 0), 100);
}

TEST_F(TacticalDisplayTest, AutoFitCutTrackCollapseAndReset) {
  // 300000 km of height between the ships: plot z -150 and 150, outside at zoom 10000.
  placeShips(m(), {{0, 0, 0}, 0, 0, 4, 5000}, {{100000, 0, 300000}, 0, 90, 3, 2000});
  redraw();
  EXPECT_EQ(m().viewZoom, 13400);
  EXPECT_EQ(host_->forms.scrollValue(m().VSCROLL3), 13400);
  EXPECT_FALSE(m().screenY(1, 0) < 0 || m().screenY(0, 0) > 199);

  // A fast track leaves the view between points 7 and 8: cut at the border, seven marks.
  combat::resetView(m());
  placeShips(m(), {{0, 0, 0}, 0, 0, 4, 20000}, {{100000, 0, 0}, 0, 90, 3, 2000});
  redraw();
  EXPECT_EQ(m().trackReach(0), 8);
  EXPECT_FLOAT_EQ(m().screenX(0, 8), 199);
  EXPECT_FLOAT_EQ(m().screenY(0, 8), 100);
  EXPECT_EQ(m().lastTrackPoint(0), 7);
  EXPECT_EQ(m().lastTrackPoint(1), 10);
  EXPECT_EQ(view(199, 100), grey);
  EXPECT_EQ(view(198, 100), grey);

  // Ten million km of height: even the largest zoom leaves both positions outside; each track
  // collapses onto its position and nothing is marked beyond it.
  combat::resetView(m());
  placeShips(m(), {{0, 0, 0}, 0, 0, 2, 10}, {{100, 0, 1.0e7}, 0, 0, 2, 10});
  redraw();
  EXPECT_EQ(m().viewZoom, 19900);
  EXPECT_EQ(host_->forms.scrollValue(m().VSCROLL3), 19900);
  EXPECT_LT(m().screenY(1, 0), 0);
  EXPECT_EQ(m().trackReach(0), 1);
  EXPECT_FLOAT_EQ(m().screenX(0, 1), m().screenX(0, 0));
  EXPECT_FLOAT_EQ(m().screenY(0, 1), m().screenY(0, 0));
  EXPECT_EQ(m().lastTrackPoint(0), 0);
  for (int y = 0; y < 200; y += 7) EXPECT_EQ(view(50, y), tile()) << y;

  m().viewYaw = 30;
  m().viewPitch = -20;
  host_->forms.setScrollValue(m().HSCROLL1, 30);
  host_->forms.setScrollValue(m().VSCROLL1, -20);
  combat::resetView(m());
  EXPECT_EQ(m().viewYaw, 0);
  EXPECT_EQ(m().viewPitch, 0);
  EXPECT_EQ(m().viewZoom, 10000);
  EXPECT_EQ(host_->forms.scrollValue(m().HSCROLL1), 0);
  EXPECT_EQ(host_->forms.scrollValue(m().VSCROLL1), 0);
  EXPECT_EQ(host_->forms.scrollValue(m().VSCROLL3), 10000);
}

TEST_F(TacticalDisplayTest, ScreenAtKnownPositions) {
  redraw();
  // The view: the player's track from (50, 100) to (100, 100), a mark every 5 pixels; the
  // enemy at (150, 100) with its selected point enlarged while the point buttons show.
  EXPECT_EQ(view(51, 100), grey);
  EXPECT_EQ(view(50, 100), blue);
  EXPECT_EQ(view(50, 98), blue);
  EXPECT_EQ(view(150, 98), blue);
  EXPECT_EQ(view(150, 96), blue);
  EXPECT_EQ(view(10, 10), tile());
  EXPECT_EQ(view(30, 100), tile());  // no cross-hair, no reach
  // The readout beside it, on black text cells.
  EXPECT_EQ(surface(m().PICTURE1).at(251, 37), black);
  // The radar: the same tracks from above; the reference point at (100, 130).
  const host::Surface& radar = surface(m().PICTURE10);
  EXPECT_EQ(radar.at(8 + 51, 16 + 100), grey);
  EXPECT_EQ(radar.at(8 + 150, 16 + 78), blue);  // the enemy's tenth point (150, 80)
  EXPECT_EQ(radar.at(8 + 100, 16 + 126), navy);
  // The gauge at elevation 0: the nose at (30, 60), the base through (80, 60).
  const host::Surface& gauge = surface(m().PICTURE11);
  EXPECT_EQ(gauge.at(8 + 30, 16 + 60), yellow);
  EXPECT_EQ(gauge.at(8 + 80, 16 + 60), yellow);

  {
    host::HeadlessDisplay composer(host_->forms, *host_->clock, host_->trace);
    host_->forms.setVisible(m().FORM3, -1);
    host::writePng(composer.compose(host_->forms.mainForm()), "combat_screen.png");
    host::writePng(composer.compose(m().FORM3), "combat_panel.png");
  }

  // Cross-hair: the x axis from (20, 100) to (180, 100) yellow, the z axis (100, 20)..(100, 180)
  // red; the selected point mark goes with the buttons.
  m().crossHairShown = true;
  host_->forms.setVisible(m().BUTTON12, 0);
  redraw();
  EXPECT_EQ(view(30, 100), yellow);
  EXPECT_EQ(view(100, 40), red);
  EXPECT_EQ(view(150, 96), tile());

  // Reach: the laser's 300000 km from every point of the player's track, clipped at 199; the
  // enemy's 40000 km towards the player.
  m().crossHairShown = false;
  m().rangeShown = true;
  redraw();
  EXPECT_EQ(view(190, 100), cyan);
  EXPECT_EQ(view(199, 100), cyan);
  EXPECT_EQ(view(130, 100), magenta);

  // A radar divisor of 2 halves the distances; elevation 45 turns the gauge's ship.
  m().radarDivisor = 2;
  m().courseElevation = 45;
  redraw();
  EXPECT_EQ(radar.at(8 + 75, 16 + 98), blue);  // the player at (75, 100)
  EXPECT_EQ(gauge.at(8 + 45, 16 + 25), yellow);
  EXPECT_EQ(gauge.at(8 + 80, 16 + 60), yellow);

  // Both radars lost: the view and the readout are covered with the tile.
  playerStatus(m()) = playerNavRadarLost | playerRadarLost;
  redraw();
  EXPECT_EQ(view(51, 100), tile());
  EXPECT_EQ(view(199, 100), tile());
  EXPECT_EQ(surface(m().PICTURE1).at(251, 37), tile());
}

}  // namespace
}  // namespace zav3::testing
