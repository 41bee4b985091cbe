// Degree trigonometry, directions, movement steps, rotation, projection, clipping, bounding
// boxes, ranking and distance of the combat vector procedures, and the symbol-font readouts.
#include "support/error_of.hpp"
#include "combat/vector_math.hpp"

#include <gtest/gtest.h>

#include "host/drawing.hpp"
#include "host/error.hpp"
#include "host/host.hpp"

namespace zav3::combat {
namespace {

using zav3::testing::errorOf;

struct Tables {
  Array<Single> sine{0, 360};
  Array<Single> cosine{0, 360};
  Tables() { fillAngleTables(sine, cosine); }
};

TEST(VectorMath, DegreeSineAndCosineHaveFourDecimals) {
  Single r = -7;
  SIN_SUB(90, r);
  EXPECT_EQ(r, 1.0f);
  COS_SUB(90, r);  // the residue of the short pi rounds away
  EXPECT_EQ(r, 0.0f);
  SIN_SUB(30, r);  // sin(0.5235983) = 0.4999992
  EXPECT_EQ(r, 0.5f);
  SIN_SUB(45, r);
  EXPECT_EQ(r, 0.7071f);
  SIN_SUB(1, r);
  EXPECT_EQ(r, 0.0175f);
  COS_SUB(180, r);
  EXPECT_EQ(r, -1.0f);
  SIN_SUB(180, r);
  EXPECT_EQ(r, 0.0f);

  Tables t;
  EXPECT_EQ(t.sine(0), 0.0f);
  EXPECT_EQ(t.sine(270), -1.0f);
  EXPECT_EQ(t.cosine(0), 1.0f);
  EXPECT_EQ(t.cosine(360), 1.0f);
  EXPECT_EQ(t.cosine(120), -0.5f);
  EXPECT_EQ(t.sine(359), -0.0175f);
}

TEST(VectorMath, AtnCoversTheFullCircleWithTwoDecimals) {
  Single a = -1;
  ATN_SUB(0, 5, a);
  EXPECT_EQ(a, 90.0f);
  ATN_SUB(0, -5, a);
  EXPECT_EQ(a, 270.0f);
  ATN_SUB(-1, 0, a);
  EXPECT_EQ(a, 180.0f);
  ATN_SUB(1, -1, a);
  EXPECT_EQ(a, 315.0f);
  ATN_SUB(0, 0, a);
  EXPECT_EQ(a, 0.0f);
  ATN_SUB(1, 1, a);
  EXPECT_EQ(a, 45.0f);
  ATN_SUB(-1, 1, a);
  EXPECT_EQ(a, 135.0f);
  ATN_SUB(-1, -1, a);
  EXPECT_EQ(a, 225.0f);
  ATN_SUB(2, 1, a);  // 26.5650512 degrees
  EXPECT_EQ(a, 26.57f);
  ATN_SUB(-2, -1, a);
  EXPECT_EQ(a, 206.57f);
  ATN_SUB(1e12, -1, a);  // just below a full turn rounds to 360 and wraps
  EXPECT_EQ(a, 0.0f);
}

TEST(VectorMath, AngleBetweenPoints) {
  Single el = 7, az = 7;
  ANGLE(5, 5, 5, 5, 5, 9, el, az);  // straight up
  EXPECT_EQ(el, 90.0f);
  EXPECT_EQ(az, 0.0f);
  ANGLE(5, 5, 5, 5, 5, -9, el, az);  // straight down
  EXPECT_EQ(el, -90.0f);
  EXPECT_EQ(az, 0.0f);
  ANGLE(0, 0, 0, 3, 4, 0, el, az);
  EXPECT_EQ(el, 0.0f);
  EXPECT_EQ(az, 53.13f);
  ANGLE(1, 1, 1, 0, 1, 0, el, az);  // down at 45 degrees towards -x
  EXPECT_EQ(el, -45.0f);
  EXPECT_EQ(az, 180.0f);
  ANGLE(0, 0, 0, 0, -2, 2, el, az);
  EXPECT_EQ(el, 45.0f);
  EXPECT_EQ(az, 270.0f);
}

TEST(VectorMath, MovementIsQuantisedToTensOnEveryAxis) {
  Double x = 0, y = 0, z = 0;
  ZAHYO_SUB(0, 0, 1000, x, y, z);
  EXPECT_EQ(x, 1000.0);
  EXPECT_EQ(y, 0.0);
  EXPECT_EQ(z, 0.0);
  ZAHYO_SUB(90, 0, 1000, x, y, z);
  EXPECT_EQ(x, 1000.0);
  EXPECT_EQ(z, 1000.0);

  x = y = z = 0;
  ZAHYO_SUB(0, 45, 1000, x, y, z);  // 100 x 0.7071 = 70.71
  EXPECT_EQ(x, 710.0);
  EXPECT_EQ(y, 710.0);

  x = y = z = 0;
  ZAHYO_SUB(0, 0, 25, x, y, z);  // 2.5 rounds to the even 2
  EXPECT_EQ(x, 20.0);
  ZAHYO_SUB(0, 0, 35, x, y, z);  // 3.5 rounds to 4
  EXPECT_EQ(x, 60.0);
  ZAHYO_SUB(0, 180, 14, x, y, z);  // 1.4 rounds to 1
  EXPECT_EQ(x, 50.0);

  x = 0.5, y = -3, z = 1e9;
  IDOU_SUB(x, y, z, 1, -2, 3);
  EXPECT_EQ(x, 10.5);
  EXPECT_EQ(y, -23.0);
  EXPECT_EQ(z, 1e9 + 30);
}

TEST(VectorMath, TableStepsAcceptOneTurnOfNegativeAngles) {
  Tables t;
  Long dx = 9, dy = 9, dz = 9;
  ZAHYO_SUB3(-90, 0, 100, dx, dy, dz, t.sine, t.cosine);
  EXPECT_EQ(dx, 0);
  EXPECT_EQ(dy, 0);
  EXPECT_EQ(dz, -100);
  ZAHYO_SUB3(0, -90, 50, dx, dy, dz, t.sine, t.cosine);
  EXPECT_EQ(dx, 0);
  EXPECT_EQ(dy, -50);
  EXPECT_EQ(dz, 0);
  ZAHYO_SUB2(0, 180, 1000, dx, dy, dz, t.sine, t.cosine);  // a tenth of the distance
  EXPECT_EQ(dx, -100);
  EXPECT_EQ(dy, 0);
  ZAHYO_SUB2(30, -315, 1000, dx, dy, dz, t.sine, t.cosine);
  // cos 45 cos 30 x 100 = 0.7071 x 0.866 x 100 = 61.23; sin 30 x 100 = 50
  EXPECT_EQ(dx, 61);
  EXPECT_EQ(dy, 61);
  EXPECT_EQ(dz, 50);
  EXPECT_EQ(errorOf([&] { ZAHYO_SUB3(-361, 0, 1, dx, dy, dz, t.sine, t.cosine); }),
            host::err::subscript);
  EXPECT_EQ(errorOf([&] { ZAHYO_SUB2(0, -400, 1, dx, dy, dz, t.sine, t.cosine); }),
            host::err::subscript);
}

TEST(VectorMath, BoundingBoxScaleAndNormalisedPoints) {
  Array<Double> box{0, 6};
  box(0) = 200, box(1) = 50, box(2) = 30, box(3) = 12345, box(4) = 0, box(5) = -50, box(6) = 10;
  Double scale = 0, x1 = 0, y1 = 0, z1 = 0, x2 = 0, y2 = 0, z2 = 0, cx = 0, cy = 0, cz = 0;
  SHUKU_SUB(scale, box, x1, y1, z1, x2, y2, z2, cx, cy, cz);
  EXPECT_EQ(scale, 2.0);
  EXPECT_EQ(x2, 0.0);
  EXPECT_EQ(y2, -50.0);
  EXPECT_EQ(cx, 50.0);
  EXPECT_EQ(cy, 0.0);
  EXPECT_EQ(cz, 10.0);

  Array2<Single> xs(0, 2, 0, 3), ys(0, 2, 0, 3), zs(0, 2, 0, 3);
  ZAHYO_SUB4(1, 2, scale, xs, ys, zs, cx, cy, cz, 200, 50, 30);
  EXPECT_EQ(xs(1, 2), 50.0f);
  EXPECT_EQ(ys(1, 2), 25.0f);
  EXPECT_EQ(zs(1, 2), 5.0f);
  EXPECT_EQ(xs(2, 2), 0.0f);

  box(0) = 0, box(1) = 0, box(2) = 0, box(4) = 10, box(5) = -300, box(6) = 0;
  SHUKU_SUB(scale, box, x1, y1, z1, x2, y2, z2, cx, cy, cz);
  EXPECT_EQ(scale, 3.0);  // the larger extent is y

  box(0) = 7, box(1) = 8, box(2) = 9, box(4) = 7, box(5) = 8, box(6) = 9;
  SHUKU_SUB(scale, box, x1, y1, z1, x2, y2, z2, cx, cy, cz);
  EXPECT_EQ(scale, 1.0);  // a flat box
  EXPECT_EQ(cx, 7.0);
  EXPECT_EQ(cy, 8.0);
  EXPECT_EQ(cz, 9.0);
}

TEST(VectorMath, RotationAndProjection) {
  Tables t;
  Array2<Single> xs(0, 1, 0, 1), ys(0, 1, 0, 1), zs(0, 1, 0, 1);
  xs(0, 0) = 10;
  ys(0, 1) = 10;
  Double rx = 0, ry = 0, rz = 0;
  KAITEN_SUB(90, 0, 0, 0, xs, ys, zs, rx, ry, rz, t.sine, t.cosine);
  EXPECT_EQ(rx, 0.0);
  EXPECT_EQ(ry, 10.0);
  EXPECT_EQ(rz, 0.0);
  KAITEN_SUB(-90, 0, 0, 0, xs, ys, zs, rx, ry, rz, t.sine, t.cosine);
  EXPECT_EQ(ry, -10.0);
  KAITEN_SUB(0, 90, 0, 1, xs, ys, zs, rx, ry, rz, t.sine, t.cosine);  // y tips up into z
  EXPECT_EQ(rx, 0.0);
  EXPECT_EQ(ry, 0.0);
  EXPECT_EQ(rz, 10.0);
  KAITEN_SUB(90, 90, 0, 0, xs, ys, zs, rx, ry, rz, t.sine, t.cosine);  // x -> y -> z
  EXPECT_EQ(rz, 10.0);

  Array2<Single> sx(0, 1, 0, 1), sy(0, 1, 0, 1);
  TOSHI_SUB(0, 0, 1, 1, sx, sy, 100, 20000, 50);
  EXPECT_EQ(sx(1, 1), 200.0f);
  EXPECT_EQ(sy(1, 1), 50.0f);
  TOSHI_SUB(0, 1000, 0, 1, sx, sy, 10, 1000, -5);  // f = 20000 / 2000 = 10
  EXPECT_EQ(sx(0, 1), 200.0f);
  EXPECT_EQ(sy(0, 1), 150.0f);
  TOSHI_SUB(19000, -500, 0, 0, sx, sy, -3, 1000, 2);  // f = 1000 / 500 = 2
  EXPECT_EQ(sx(0, 0), 94.0f);
  EXPECT_EQ(sy(0, 0), 96.0f);
}

class Clipping : public ::testing::Test {
 protected:
  Array2<Single> sx{0, 0, 0, 0};
  Array2<Single> sy{0, 0, 0, 0};
  Integer flag = 0;
  void clip(Single ax, Single ay, Single bx, Single by, Integer startFlag = 0) {
    sx(0, 0) = bx;
    sy(0, 0) = by;
    flag = startFlag;
    HAMIDASU_SUB(0, 0, sx, sy, ax, ay, flag);
  }
};

TEST_F(Clipping, InsideAndCollapsedSegments) {
  clip(100, 100, 199, 0);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(sx(0, 0), 199.0f);
  EXPECT_EQ(sy(0, 0), 0.0f);
  clip(-5, 50, 100, 100);  // anchor outside: the point collapses onto it
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(sx(0, 0), -5.0f);
  EXPECT_EQ(sy(0, 0), 50.0f);
  clip(20, 250, 20, 250);  // already on the anchor
  EXPECT_EQ(flag, 0);
}

TEST_F(Clipping, AxisParallelSegments) {
  clip(100, 100, 100, 300);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(sx(0, 0), 100.0f);
  EXPECT_EQ(sy(0, 0), 199.0f);
  clip(100, 100, 100, -50);
  EXPECT_EQ(sy(0, 0), 0.0f);
  clip(100, 100, -30, 100);
  EXPECT_EQ(sx(0, 0), 0.0f);
  EXPECT_EQ(sy(0, 0), 100.0f);
  clip(100, 100, 199.5f, 100);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(sx(0, 0), 199.0f);
}

TEST_F(Clipping, SlopedSegments) {
  clip(100, 100, 300, 200);  // leaves through the right edge: y = 0.5 x + 50
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(sx(0, 0), 199.0f);
  EXPECT_EQ(sy(0, 0), 149.5f);
  clip(100, 100, 150, 400);  // y = 6 x - 500 leaves through the bottom
  EXPECT_EQ(sx(0, 0), 116.5f);
  EXPECT_EQ(sy(0, 0), 199.0f);
  clip(100, 100, 50, -100);  // y = 4 x - 300 leaves through the top, going left
  EXPECT_EQ(sx(0, 0), 75.0f);
  EXPECT_EQ(sy(0, 0), 0.0f);
}

TEST_F(Clipping, AnAlreadySetFlagWritesNothing) {
  clip(100, 100, 300, 200, 1);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(sx(0, 0), 300.0f);
  EXPECT_EQ(sy(0, 0), 200.0f);
  clip(-5, -5, 10, 10, 2);
  EXPECT_EQ(flag, 2);
  EXPECT_EQ(sx(0, 0), 10.0f);
}

TEST(VectorMath, RankingByValueKeepsIndexOrderOnTies) {
  Array<Double> values{0, 3};
  Array<Integer> ranks{0, 3};
  values(0) = 5, values(1) = 1, values(2) = 3, values(3) = 1;
  SOUTO_SUB(3, values, ranks);
  EXPECT_EQ(ranks.values(), (std::vector<Integer>{4, 1, 3, 2}));

  ranks.clear();
  values(0) = values(1) = values(2) = values(3) = 2e9;
  SOUTO_SUB(3, values, ranks);
  EXPECT_EQ(ranks.values(), (std::vector<Integer>{1, 2, 3, 4}));

  ranks.clear();
  values(0) = -1, values(1) = -5, values(2) = 99, values(3) = 99;
  SOUTO_SUB(1, values, ranks);  // only 0..count take part
  EXPECT_EQ(ranks.values(), (std::vector<Integer>{2, 1, 0, 0}));
}

TEST(VectorMath, DistanceIsRoundedDown) {
  Double d = -1;
  KYORI_SUB(d, 0, 0, 0, 3, 4, 12);
  EXPECT_EQ(d, 13.0);
  KYORI_SUB(d, 1, 1, 1, 0, 0, 0);  // 1.732
  EXPECT_EQ(d, 1.0);
  KYORI_SUB(d, -3e9, 0, 7, 0, 4e9, 7);
  EXPECT_EQ(d, 5e9);
  KYORI_SUB(d, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(d, 0.0);
}

SheetCell glyph(Single x, Single y, Integer sheetX, Integer sheetY) {
  return {x, y, sheetX, sheetY, 6, 8};
}
SheetCell barCell(Single x, Single y, Integer sheetX) {
  return {x, y, sheetX, 0, 3, 8};
}

TEST(Readouts, SymbolFontCells) {
  EXPECT_EQ(symbolCell("0", 3, 4), glyph(3, 4, 0, 0));
  EXPECT_EQ(symbolCell("9", 3, 4), glyph(3, 4, 72, 0));
  EXPECT_EQ(symbolCell("A", 3, 4), glyph(3, 4, 8, 8));
  EXPECT_EQ(symbolCell("Z", 3, 4), glyph(3, 4, 208, 8));
  EXPECT_EQ(symbolCell("%", 3, 4), glyph(3, 4, 88, 0));
  for (const char* other : {" ", "a", "-", ".", "@", "["}) {
    EXPECT_EQ(symbolCell(other, 3, 4), glyph(3, 4, 0, 8)) << other;
  }
  EXPECT_TRUE(symbolText("", 0, 0).empty());
  const auto cells = symbolText("K9", 10.5f, 2);  // 10.5 rounds to the even 10; 16.5 to 16
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(cells[0], glyph(10, 2, 88, 8));
  EXPECT_EQ(cells[1], glyph(16, 2, 72, 0));
}

TEST(Readouts, ShieldCaptionAndBar) {
  auto check = [](Integer value, const std::string& caption, int full) {
    const auto cells = shieldCells(value, 10, 8);
    ASSERT_EQ(cells.size(), caption.size() + 60) << value;
    for (std::size_t i = 0; i < caption.size(); ++i) {
      EXPECT_EQ(cells[i], symbolCell(caption.substr(i, 1), 10 + 6 * i, 8)) << value;
    }
    for (int i = 0; i < 60; ++i) {
      EXPECT_EQ(cells[caption.size() + i], barCell(10 + 3 * i, 16, i < full ? 80 : 83))
          << value << " cell " << i;
    }
  };
  check(1199, "SHIELD 99%", 59);
  check(0, "SHIELD 0%", 0);
  check(1200, "SHIELD 100%", 60);
  check(19, "SHIELD 1%", 0);
}

TEST(Readouts, DamageCaptionAndBar) {
  auto barOf = [](Integer value) {
    std::vector<SheetCell> cells = damageCells("ENG", value, 4, 100);
    const std::size_t text = ("ENG " + std::to_string(value) + "S").size();
    return std::vector<SheetCell>(cells.begin() + static_cast<long>(text), cells.end());
  };
  const auto cells = damageCells("ENG", 250, 4, 100);
  ASSERT_EQ(cells.size(), 8u + 3u);
  EXPECT_EQ(cells[3], glyph(22, 100, 0, 8));  // the sign blank
  EXPECT_EQ(cells[7], glyph(46, 100, 8 * 19, 8));
  EXPECT_EQ(cells[8], barCell(4, 108, 83));
  EXPECT_EQ(cells[10], barCell(10, 108, 83));
  EXPECT_EQ(barOf(0).size(), 1u);
  EXPECT_EQ(barOf(119).size(), 1u);
  EXPECT_EQ(barOf(120).size(), 2u);
  EXPECT_EQ(barOf(1200).size(), 11u);
}

TEST(Readouts, CellsAreCopiedFromTheSheet) {
  host::Surface sheet(216, 216);
  for (int y = 0; y < 216; ++y) {
    for (int x = 0; x < 216; ++x)
      sheet.set(x, y, 0xFF000000u | static_cast<std::uint32_t>(x + 256 * y));
  }
  host::Surface target(200, 200, 0xFF00FF00u);
  SHIELD_SUB(1199, 10, 8, sheet, target);
  EXPECT_EQ(target.at(10, 8), sheet.at(152, 8));  // "S"
  EXPECT_EQ(target.at(15, 15), sheet.at(157, 15));
  EXPECT_EQ(target.at(10 + 3 * 58 + 2, 16), sheet.at(82, 0));  // last full cell
  EXPECT_EQ(target.at(10 + 3 * 59, 23), sheet.at(83, 7));      // the empty one
  EXPECT_EQ(target.at(10 + 3 * 60, 16), 0xFF00FF00u);
  EXPECT_EQ(target.at(9, 8), 0xFF00FF00u);
  SYMBOL_SUB("%", 0, 100, sheet, target);
  EXPECT_EQ(target.at(5, 107), sheet.at(93, 7));
  SONGAI_SUB("A", 5, 100, 150, sheet, target);  // "A 5S" + one bar cell
  EXPECT_EQ(target.at(100, 150), sheet.at(8, 8));
  EXPECT_EQ(target.at(102, 165), sheet.at(85, 7));
  EXPECT_EQ(target.at(103, 165), 0xFF00FF00u);
}

TEST(Readouts, PanelLinesAreRightAligned) {
  Array<Double> values{0, 10}, extra{0, 2};
  Array<Integer> flags{0, 2000};
  values(0) = 1, values(1) = -20, values(2) = 300.5, values(3) = 777;
  values(4) = 0, values(5) = 5, values(6) = 6, values(7) = 8, values(8) = 9, values(9) = 10;
  values(10) = 99.9;
  extra(0) = 12.7, extra(1) = -0.5, extra(2) = 123456;
  const auto pad = [](int n, const std::string& s) { return std::string(n, ' ') + s; };
  const std::vector<ReadoutLine> all{{0, " X" + pad(6, "1"), 9},
                                     {16, " Y" + pad(4, "-20"), 9},
                                     {32, " Z" + pad(2, "300.5"), 9},
                                     {48, "SP" + pad(5, "12") + "k/s", 9},
                                     {80, " X" + pad(6, "0"), 5},
                                     {96, " Y" + pad(6, "5"), 5},
                                     {112, " Z" + pad(6, "6"), 5},
                                     {128, "SP" + pad(5, "-1") + "k/s", 5},
                                     {160, " D" + pad(1, "123456") + "km", 13},
                                     {176, " D" + pad(5, "99") + "km", 14}};
  EXPECT_EQ(readoutLines(values, extra, flags), all);

  flags(992) = 3;  // the enemy half is left out
  const std::vector<ReadoutLine> own{all[0], all[1], all[2], all[3], all[9]};
  EXPECT_EQ(readoutLines(values, extra, flags), own);
  flags(992) = 2;
  EXPECT_EQ(readoutLines(values, extra, flags).size(), 10u);
}

TEST(Readouts, PanelIsDrawnOnTheReadoutAndCopiedOntoTheDisplay) {
  auto host = host::makeHeadlessHost();
  host::Forms& forms = host->forms;
  const host::Handle display = forms.find(forms.mainForm(), "PICTURE1");
  const host::Handle readout = forms.find(forms.mainForm(), "PICTURE2");
  host::Surface& screen = forms.surface(display);
  screen.fill(0xFFFFFFFFu);
  const host::Surface tile(8, 8, 0xFF123456u);
  Array<Double> values{0, 10}, extra{0, 2};
  Array<Integer> flags{0, 2000};
  flags(992) = 1;
  host::TextRenderer text;
  PRINT_SUB(values, extra, flags, forms, tile, text);

  const host::Surface& panel = forms.surface(readout);
  EXPECT_EQ(panel.width(), 140);
  EXPECT_EQ(panel.height(), 200);
  EXPECT_EQ(panel.at(0, 0), 0xFF000000u);  // the opaque background of the first line
  EXPECT_EQ(panel.at(0, 176), 0xFF000000u);
  EXPECT_EQ(panel.at(0, 80), 0xFF123456u);  // enemy rows left out: the tile shows
  EXPECT_EQ(panel.at(139, 199), 0xFF123456u);
  EXPECT_EQ(screen.at(250, 35), 0xFF000000u);
  EXPECT_EQ(screen.at(250, 35 + 80), 0xFF123456u);
  EXPECT_EQ(screen.at(389, 234), 0xFF123456u);
  EXPECT_EQ(screen.at(249, 35), 0xFFFFFFFFu);
  EXPECT_EQ(screen.at(390, 234), 0xFFFFFFFFu);
  EXPECT_EQ(screen.at(389, 235), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace zav3::combat
