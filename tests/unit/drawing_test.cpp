// Drawing on surfaces: colour forms, rectangle copies and stretches with clipping, lines, boxes,
// circles and arcs, exclusive-or drawing.
#include "support/error_of.hpp"
#include "host/drawing.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <utility>

#include "host/error.hpp"

namespace zav3::host {
namespace {

constexpr std::uint32_t background = 0xFF000000u;
constexpr std::uint32_t ink = 0xFFFFFFFFu;

using PixelSet = std::set<std::pair<int, int>>;  // (x, y)

PixelSet inked(const Surface& s, std::uint32_t back = background) {
  PixelSet out;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      if (s.at(x, y) != back) out.emplace(x, y);
  return out;
}

// A surface whose every pixel differs from the others and from the background.
Surface numbered(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.set(x, y, 0xFF800000u + static_cast<std::uint32_t>(y * 256 + x));
  return s;
}
std::uint32_t numberAt(int x, int y) {
  return 0xFF800000u + static_cast<std::uint32_t>(y * 256 + x);
}

using zav3::testing::errorOf;

TEST(Colours, StandardTableRgbAndRangeErrors) {
  EXPECT_EQ(indexedColour(0), 0x000000u);
  EXPECT_EQ(indexedColour(1), 0x800000u);  // dark blue: b = 128
  EXPECT_EQ(indexedColour(4), 0x000080u);  // dark red
  EXPECT_EQ(indexedColour(7), 0xC0C0C0u);
  EXPECT_EQ(indexedColour(9), 0xFF0000u);  // bright blue
  EXPECT_EQ(indexedColour(13), 0xFF00FFu);
  EXPECT_EQ(indexedColour(14), 0x00FFFFu);  // yellow: r and g
  EXPECT_EQ(indexedColour(15), 0xFFFFFFu);
  EXPECT_EQ(indexedColour(12.4), 0x0000FFu);  // rounded like any argument
  EXPECT_EQ(errorOf([] { indexedColour(16); }), err::illegalCall);
  EXPECT_EQ(errorOf([] { indexedColour(-1); }), err::illegalCall);

  EXPECT_EQ(rgb(255, 0, 0), 255u);
  EXPECT_EQ(rgb(1, 2, 3), 1u + 2 * 256 + 3 * 65536);
  EXPECT_EQ(errorOf([] { rgb(256, 0, 0); }), err::illegalCall);
  EXPECT_EQ(errorOf([] { rgb(0, 0, -1); }), err::illegalCall);

  EXPECT_EQ(pixelColour(12, true), 0xFFFF0000u);  // bright red as a pixel
  EXPECT_EQ(pixelColour(rgb(0, 0, 255), false), 0xFF0000FFu);
  EXPECT_EQ(errorOf([] { pixelColour(0x1000000, false); }), err::illegalCall);
  EXPECT_EQ(errorOf([] { pixelColour(16, true); }), err::illegalCall);
  EXPECT_EQ(errorOf([] { drawModeOf(13); }), err::illegalCall);
}

TEST(CopyRect, PixelExactAndClippedAtBothSurfaces) {
  Surface src = numbered(4, 4);
  Surface dst(6, 6);
  copyRect(dst, 1, 2, 2, 2, src, 1, 1);
  EXPECT_EQ(dst.at(1, 2), numberAt(1, 1));
  EXPECT_EQ(dst.at(2, 3), numberAt(2, 2));
  EXPECT_EQ(inked(dst).size(), 4u);

  // Negative target and source corners and a rectangle running off both surfaces.
  dst.fill(background);
  copyRect(dst, -1, 4, 10, 10, src, 0, -1);
  // Target x 0 takes source x 1; target y 4 comes from source y -1 (absent), so y 5 <- y 0.
  EXPECT_EQ(dst.at(0, 5), numberAt(1, 0));
  EXPECT_EQ(dst.at(2, 5), numberAt(3, 0));
  EXPECT_EQ(inked(dst).size(), 3u);

  Surface copy = dst;
  copyRect(dst, 0, 0, 0, 5, src, 0, 0);    // empty
  copyRect(dst, 0, 0, -3, 5, src, 0, 0);   // negative
  copyRect(dst, 1e9, 0, 5, 5, src, 0, 0);  // far away
  EXPECT_EQ(dst.pixels(), copy.pixels());
  EXPECT_EQ(errorOf([&] { copyRect(dst, 3e9, 0, 5, 5, src, 0, 0); }), err::overflow);
}

TEST(CopyRect, OverlappingCopyOnOneSurface) {
  Surface s = numbered(5, 5);
  copyRect(s, 1, 1, 4, 4, s, 0, 0);  // down-right by one
  EXPECT_EQ(s.at(4, 4), numberAt(3, 3));
  EXPECT_EQ(s.at(1, 1), numberAt(0, 0));
  EXPECT_EQ(s.at(0, 0), numberAt(0, 0));
  s = numbered(5, 5);
  copyRect(s, 0, 0, 4, 4, s, 1, 1);  // up-left by one
  EXPECT_EQ(s.at(0, 0), numberAt(1, 1));
  EXPECT_EQ(s.at(3, 3), numberAt(4, 4));

  Surface picture = numbered(3, 2), target(5, 5);
  drawBitmap(target, picture, 2, 3.5);  // 3.5 rounds to 4
  EXPECT_EQ(target.at(2, 4), numberAt(0, 0));
  EXPECT_EQ(target.at(4, 4), numberAt(2, 0));
  EXPECT_EQ(inked(target).size(), 3u);
}

TEST(StretchRect, NearestNeighbourScalingMirroringAndClipping) {
  Surface src = numbered(2, 2), dst(6, 6);
  stretchRect(dst, 0, 0, 4, 4, src, 0, 0, 2, 2);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.at(x, y), numberAt(x / 2, y / 2)) << x << "," << y;
  EXPECT_EQ(inked(dst).size(), 16u);

  // Shrinking picks the centre samples: 4 -> 2 takes columns 1 and 3.
  Surface wide = numbered(4, 1), narrow(2, 1);
  stretchRect(narrow, 0, 0, 2, 1, wide, 0, 0, 4, 1);
  EXPECT_EQ(narrow.at(0, 0), numberAt(1, 0));
  EXPECT_EQ(narrow.at(1, 0), numberAt(3, 0));

  // Equal sizes copy exactly; a negative target width mirrors.
  Surface row = numbered(3, 1), out(3, 1);
  stretchRect(out, 0, 0, 3, 1, row, 0, 0, 3, 1);
  EXPECT_EQ(out.pixels(), row.pixels());
  stretchRect(out, 3, 0, -3, 1, row, 0, 0, 3, 1);
  EXPECT_EQ(out.at(0, 0), numberAt(2, 0));
  EXPECT_EQ(out.at(2, 0), numberAt(0, 0));

  // A tile band much larger than the target, partly off it: only the visible part is drawn.
  Surface tile(8, 8, 0xFF123456u), band(640, 270);
  stretchRect(band, -100, 265, 1e7, 5, tile, 0, 0, 8, 8);
  EXPECT_EQ(inked(band).size(), 640u * 5);
  stretchRect(band, 0, 0, 10, 10, tile, 6, 6, 8, 8);  // source partly outside the tile
  EXPECT_EQ(band.at(0, 0), 0xFF123456u);
  EXPECT_EQ(band.at(9, 9), background);
}

TEST(Lines, BothEndsIncludedOnePixelPerStep) {
  Surface s(10, 10);
  Pen pen{ink};
  drawLine(s, 1, 2, 5, 2, pen);
  EXPECT_EQ(inked(s), (PixelSet{{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}}));
  s.fill(background);
  drawLine(s, 0, 0, 3, 3, pen);
  EXPECT_EQ(inked(s), (PixelSet{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
  s.fill(background);
  drawLine(s, 2, 9, 4, 0, pen);  // steep: one pixel per row, ends exact
  PixelSet steep = inked(s);
  EXPECT_EQ(steep.size(), 10u);
  EXPECT_TRUE(steep.count({2, 9}) && steep.count({4, 0}));
  std::set<int> rows;
  for (auto [x, y] : steep) rows.insert(y);
  EXPECT_EQ(rows.size(), 10u);
  s.fill(background);
  drawLine(s, 7, 7, 7, 7, pen);
  EXPECT_EQ(inked(s), (PixelSet{{7, 7}}));
}

TEST(Lines, ClippedLineMatchesTheUnclippedOne) {
  // Drawing on a small surface equals the same line drawn on a large one, cut out.
  Surface big(200, 200), small(50, 50);
  Pen pen{ink};
  drawLine(big, 10, 170, 190, 20, pen);
  drawLine(small, 10 - 75, 170 - 75, 190 - 75, 20 - 75, pen);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 50; ++x) ASSERT_EQ(small.at(x, y), big.at(x + 75, y + 75)) << x << "," << y;
  EXPECT_FALSE(inked(small).empty());
  // Far-away end points are clipped, not walked.
  small.fill(background);
  drawLine(small, -2e9, 25, 2e9, 25, pen);
  EXPECT_EQ(inked(small).size(), 50u);
}

TEST(Lines, PatternStartsAtTheFirstPoint) {
  Surface s(20, 1);
  Pen pen{ink, DrawMode::copy, 0xF0F0};
  drawLine(s, 0, 0, 19, 0, pen);
  for (int x = 0; x < 20; ++x) EXPECT_EQ(s.at(x, 0) == ink, (x % 8) < 4) << x;
}

TEST(Boxes, OutlineAndFilledBoxes) {
  Surface s(10, 10);
  Pen pen{ink};
  drawBox(s, 6, 5, 2, 1, pen);  // corners in any order
  PixelSet box = inked(s);
  EXPECT_EQ(box.size(), 2u * 5 + 2u * 3);
  EXPECT_TRUE(box.count({2, 1}) && box.count({6, 5}) && box.count({6, 1}) && box.count({2, 5}));
  EXPECT_FALSE(box.count({4, 3}));

  s.fill(background);
  fillBox(s, 2, 1, 6, 5, pen, 0xFF00FF00u);
  EXPECT_EQ(s.at(2, 1), ink);
  EXPECT_EQ(s.at(4, 3), 0xFF00FF00u);
  EXPECT_EQ(s.at(5, 4), 0xFF00FF00u);
  EXPECT_EQ(inked(s).size(), 25u);

  s.fill(background);
  LineOrBox f;
  f.x1 = 1;
  f.y1 = 1;
  f.relative = true;
  f.x2 = 3;
  f.y2 = 0;
  f.argb = ink;
  lineOrBox(s, f);  // relative: to (4, 1)
  EXPECT_EQ(inked(s), (PixelSet{{1, 1}, {2, 1}, {3, 1}, {4, 1}}));
  f.shape = 3;
  EXPECT_EQ(errorOf([&] { lineOrBox(s, f); }), err::illegalCall);
  f.shape = 1;
  f.mode = 4;
  EXPECT_EQ(errorOf([&] { lineOrBox(s, f); }), err::illegalCall);
}

TEST(ExclusiveOr, DrawingTwiceRestoresAndAlphaIsKept) {
  Surface s = numbered(40, 40);
  for (std::uint32_t& p : s.pixels()) p = (p & 0x00FFFFFFu) | 0x80000000u;  // odd alpha
  const Surface before = s;
  Pen pen{0xFF5A5A5Au, DrawMode::exclusiveOr};
  drawLine(s, 0, 0, 39, 17, pen);
  EXPECT_NE(s.pixels(), before.pixels());
  EXPECT_EQ(s.at(0, 0), before.at(0, 0) ^ 0x005A5A5Au);
  EXPECT_EQ(s.at(0, 0) >> 24, 0x80u);
  drawLine(s, 0, 0, 39, 17, pen);
  EXPECT_EQ(s.pixels(), before.pixels());

  // Every figure touches each pixel once, so a second drawing undoes the first.
  auto figures = [&](Surface& t) {
    drawBox(t, 3, 3, 30, 20, pen);
    fillBox(t, 5, 22, 35, 38, pen, 0xFF0F0F0Fu);
    drawCircle(t, 20, 20, 15, pen);
    drawCircle(t, 20, 20, 12, pen, {0.5, std::nullopt, std::nullopt});
    drawCircle(t, 20, 20, 9, pen, {1.0, -0.5, -2.5});  // arc with both radius lines
    drawPoint(t, 39, 39, pen);
    LineOrBox f{1, 1, false, 38, 1, 0xFF00FF00u, 2, 0xFFFF0000u, -1, 7};
    lineOrBox(t, f);
  };
  figures(s);
  EXPECT_NE(s.pixels(), before.pixels());
  figures(s);
  EXPECT_EQ(s.pixels(), before.pixels());
}

TEST(ExclusiveOr, EachFigurePixelIsFlippedOnce) {
  // On black, exclusive-or with white ink shows exactly the pixels plain drawing sets; a pixel
  // visited twice would stay black.
  auto both = [](auto draw) {
    Surface plain(41, 41), flipped(41, 41);
    draw(plain, Pen{ink});
    draw(flipped, Pen{ink, DrawMode::exclusiveOr});
    EXPECT_FALSE(inked(plain).empty());
    EXPECT_EQ(inked(flipped), inked(plain));
  };
  both([](Surface& t, const Pen& p) { drawCircle(t, 20, 20, 15, p); });
  both([](Surface& t, const Pen& p) {
    drawCircle(t, 20, 20, 15, p, {0.4, std::nullopt, std::nullopt});
  });
  both([](Surface& t, const Pen& p) { drawCircle(t, 20, 20, 10, p, {1.0, -0.3, -4.0}); });
  both([](Surface& t, const Pen& p) {
    drawCircle(t, 20, 20, 6, p, {0.0, std::nullopt, std::nullopt});
  });
  both([](Surface& t, const Pen& p) { drawBox(t, 2, 2, 2, 30, p); });
  both([](Surface& t, const Pen& p) { fillBox(t, 2, 2, 3, 30, p, ink); });
  both([](Surface& t, const Pen& p) { drawLine(t, 40, 0, 0, 13, p); });
}

TEST(Circles, CircleIsSymmetricAndOnItsRadius) {
  Surface s(41, 41);
  drawCircle(s, 20, 20, 15, Pen{ink});
  PixelSet c = inked(s);
  ASSERT_FALSE(c.empty());
  for (auto [x, y] : c) {
    int dx = x - 20, dy = y - 20;
    for (auto [mx, my] : {std::pair{dx, -dy}, {-dx, dy}, {dy, dx}, {-dy, -dx}})
      EXPECT_TRUE(c.count({20 + mx, 20 + my})) << dx << "," << dy;
    EXPECT_NEAR(std::hypot(dx, dy), 15.0, 0.75);
  }
  EXPECT_TRUE(c.count({35, 20}) && c.count({20, 5}) && c.count({5, 20}) && c.count({20, 35}));

  s.fill(background);
  drawCircle(s, 20, 20, 0, Pen{ink});
  EXPECT_EQ(inked(s), (PixelSet{{20, 20}}));
}

TEST(Circles, EllipsesArcsAndRadiusLines) {
  Surface s(41, 41);
  drawCircle(s, 20, 20, 10, Pen{ink}, {0.5, std::nullopt, std::nullopt});  // 10 across, 5 up
  PixelSet e = inked(s);
  int minX = 99, maxX = -99, minY = 99, maxY = -99;
  for (auto [x, y] : e) {
    minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y),
    maxY = std::max(maxY, y);
    EXPECT_TRUE(e.count({40 - x, y}) && e.count({x, 40 - y}));
  }
  EXPECT_EQ(std::make_pair(minX, maxX), std::make_pair(10, 30));
  EXPECT_EQ(std::make_pair(minY, maxY), std::make_pair(15, 25));

  // Aspect above 1: the radius is the vertical one.
  s.fill(background);
  drawCircle(s, 20, 20, 10, Pen{ink}, {2.0, std::nullopt, std::nullopt});
  e = inked(s);
  EXPECT_TRUE(e.count({20, 10}) && e.count({25, 20}) && !e.count({30, 20}));

  // Quarter arc from 0 to pi/2: the upper right only (screen y grows downwards).
  s.fill(background);
  drawCircle(s, 20, 20, 10, Pen{ink}, {1.0, 0.0, std::numbers::pi / 2});
  PixelSet arc = inked(s);
  ASSERT_FALSE(arc.empty());
  for (auto [x, y] : arc) EXPECT_TRUE(x >= 20 && y <= 20) << x << "," << y;
  EXPECT_TRUE(arc.count({30, 20}) && arc.count({20, 10}));

  // Arcs run counter-clockwise and wrap: from 3/2 pi to pi/2 is the right half.
  s.fill(background);
  drawCircle(s, 20, 20, 10, Pen{ink}, {1.0, 1.5 * std::numbers::pi, std::numbers::pi / 2});
  for (auto [x, y] : inked(s)) EXPECT_GE(x, 20);

  // Negative angles add lines from the centre: a closed pie slice.
  s.fill(background);
  drawCircle(s, 20, 20, 10, Pen{ink}, {1.0, -1e-9, -std::numbers::pi / 2});
  PixelSet pie = inked(s);
  EXPECT_TRUE(pie.count({20, 20}) && pie.count({25, 20}) && pie.count({20, 15}));
  EXPECT_FALSE(pie.count({15, 20}));

  // Huge radii draw nothing rather than walking millions of steps.
  s.fill(background);
  drawCircle(s, 20, 20, 1e8, Pen{ink});
  EXPECT_TRUE(inked(s).empty());
}

TEST(Clear, FillsWithTheBackground) {
  Surface s = numbered(3, 3);
  clear(s, 0xFFC0C0C0u);
  EXPECT_EQ(inked(s, 0xFFC0C0C0u).size(), 0u);
}

}  // namespace
}  // namespace zav3::host
