// Text drawing: face names mapped to installed fonts, glyphs drawn in their colour inside their
// cells, widths, backgrounds, and the fallbacks when a font is missing.
#include "host/text.hpp"

#include <gtest/gtest.h>

#include "host/sjis.hpp"

namespace zav3::host {
namespace {

constexpr std::uint32_t back = 0xFF000000u;
constexpr std::uint32_t navy = 0xFF000080u;

// The bounding box of the pixels that differ from `from`: x0, y0, x1, y1 (x1 < x0 when none).
struct Box {
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
  int count = 0;
};
Box changed(const Surface& s, std::uint32_t from) {
  Box b;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      if (s.at(x, y) != from) {
        b.x0 = std::min(b.x0, x), b.y0 = std::min(b.y0, y);
        b.x1 = std::max(b.x1, x), b.y1 = std::max(b.y1, y);
        ++b.count;
      }
  return b;
}

const FontSpec mincho{"\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9", 16};  // ＭＳ 明朝

class Text : public ::testing::Test {
 protected:
  void SetUp() override {
    if (renderer_.fontFile(mincho).empty()) GTEST_SKIP() << "no Japanese font installed";
  }
  TextRenderer renderer_;
};

TEST_F(Text, FaceNamesMapToTheirStandIns) {
  EXPECT_NE(renderer_.fontFile(mincho).find("ipam"), std::string::npos)
      << renderer_.fontFile(mincho);
  FontSpec gothic{sj("ＭＳ Ｐゴシック"), 14};
  EXPECT_NE(renderer_.fontFile(gothic).find("ipagp"), std::string::npos)
      << renderer_.fontFile(gothic);
  FontSpec fixed{"FIXEDSYS", 18};  // names compare without regard to ASCII case
  std::string file = renderer_.fontFile(fixed);
  EXPECT_TRUE(file.find("ipag.ttf") != std::string::npos ||
              file.find("japanese-gothic") != std::string::npos)
      << file;
}

TEST_F(Text, GlyphDrawsInItsColourInsideItsCell) {
  Surface s(64, 48, back);
  int advance = renderer_.draw(s, mincho, 10, 20, sj("漢"), 0xFFFFFFFFu);
  EXPECT_EQ(advance, 16);
  Box b = changed(s, back);
  ASSERT_GT(b.count, 20);
  EXPECT_GE(b.x0, 10);
  EXPECT_LT(b.x1, 26);
  EXPECT_GE(b.y0, 20);
  EXPECT_LT(b.y1, 36);
  bool full = false, partial = false;
  for (std::uint32_t p : s.pixels()) {
    full |= p == 0xFFFFFFFFu;
    // Anti-aliased edges are greys between the background and the colour.
    std::uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, bl = p & 0xFF;
    if (p != back && p != 0xFFFFFFFFu) {
      partial = true;
      EXPECT_TRUE(r == g && g == bl) << std::hex << p;
    }
  }
  EXPECT_TRUE(full);
  EXPECT_TRUE(partial);

  // The same drawing again (now from the glyph cache) gives the same pixels.
  Surface again(64, 48, back);
  renderer_.draw(again, mincho, 10, 20, sj("漢"), 0xFFFFFFFFu);
  EXPECT_EQ(again.pixels(), s.pixels());
}

TEST_F(Text, WidthsOfFullAndHalfWidthText) {
  int ab = renderer_.width(mincho, sj("ＡＢ"));
  EXPECT_GE(ab, 30);
  EXPECT_LE(ab, 34);
  EXPECT_EQ(renderer_.width(mincho, "AB"), 16);      // half the em each
  EXPECT_EQ(renderer_.width(mincho, "A\r\nB"), 16);  // control characters take no room
  EXPECT_EQ(renderer_.width(FontSpec{mincho.face, 24}, sj("あいう")), 72);
  EXPECT_EQ(renderer_.width(mincho, ""), 0);
  EXPECT_EQ(renderer_.height(mincho), 16);
}

TEST_F(Text, OpaqueAndTransparentBackgrounds) {
  Surface s(40, 20, back);
  renderer_.draw(s, mincho, 4, 2, sj("・"), 0xFFFFFFFFu, navy);
  Box b = changed(s, back);  // the whole cell is painted
  EXPECT_EQ(b.x0, 4);
  EXPECT_EQ(b.y0, 2);
  EXPECT_EQ(b.x1, 19);
  EXPECT_EQ(b.y1, 17);
  EXPECT_EQ(s.at(4, 2), navy);

  // The game's bold effect: navy at x and x + 2, white at x + 1, over a picture.
  Surface t(40, 20, 0xFF336699u);
  renderer_.draw(t, mincho, 4, 2, sj("字"), navy);
  renderer_.draw(t, mincho, 6, 2, sj("字"), navy);
  renderer_.draw(t, mincho, 5, 2, sj("字"), 0xFFFFFFFFu);
  EXPECT_EQ(t.at(0, 0), 0xFF336699u);  // outside the strokes the picture shows
  EXPECT_EQ(t.at(39, 19), 0xFF336699u);
  Box strokes = changed(t, 0xFF336699u);
  EXPECT_GT(strokes.count, 40);
}

TEST_F(Text, ClippedAndFarAwayTextIsSafe) {
  Surface s(10, 10, back);
  renderer_.draw(s, mincho, -8, -8, sj("漢字"), 0xFFFFFFFFu, navy);
  EXPECT_EQ(s.at(0, 0), navy);
  Surface copy = s;
  renderer_.draw(s, mincho, 1e9, -1e9, sj("漢字"), 0xFFFFFFFFu, navy);
  renderer_.draw(s, mincho, -2e9, 0, sj("漢字"), 0xFFFFFFFFu, navy);
  EXPECT_EQ(s.pixels(), copy.pixels());
}

TEST(TextFallback, MissingFamiliesFallBackToJapaneseFontOrBoxes) {
  TextRenderer::Options options;
  options.aliases = {{"Missing", {"No Such Family Anywhere"}}};
  TextRenderer withFallback(options);
  FontSpec missing{"Missing", 16};
  std::string file = withFallback.fontFile(missing);
  if (file.empty()) GTEST_SKIP() << "no Japanese font installed";
  EXPECT_GT(withFallback.width(missing, sj("ＡＢ")), 16);

  options.cjkFallback = false;
  TextRenderer boxes(options);
  EXPECT_EQ(boxes.fontFile(missing), "");
  EXPECT_EQ(boxes.width(missing, sj("ＡＢ")), 32);
  EXPECT_EQ(boxes.width(missing, "AB"), 16);
  Surface s(20, 20, back);
  EXPECT_EQ(boxes.draw(s, missing, 2, 2, sj("Ａ"), 0xFFFFFFFFu), 16);
  // A box outline one pixel inside the cell.
  EXPECT_EQ(s.at(3, 3), 0xFFFFFFFFu);
  EXPECT_EQ(s.at(16, 16), 0xFFFFFFFFu);
  EXPECT_EQ(s.at(9, 9), back);
  Box b = changed(s, back);
  EXPECT_EQ(b.x0, 3);
  EXPECT_EQ(b.x1, 16);
  s.fill(back);
  boxes.draw(s, missing, 2, 2, sj("　"), 0xFFFFFFFFu);  // blanks stay blank
  EXPECT_EQ(changed(s, back).count, 0);
}

}  // namespace
}  // namespace zav3::host
