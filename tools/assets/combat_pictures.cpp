// The combat pictures of MAINCG: the symbol sheet NO (pixel font, bar cells and the status
// picture's face), the radar frame spcg1, the elevation gauge frame spcg2 and its dial spcg2_2,
// the legend panel spcg3 beside the view controls, and the mission record backdrop.
#include <array>
#include <cmath>
#include <string_view>

#include "assets/assets.hpp"
#include "assets/paint.hpp"

namespace zav3::assets {

namespace {

constexpr double pi = 3.14159265358979323846;

// The instrument palette: dark glass, steel frames, cyan scale marks, amber captions.
constexpr Rgb glass = hex(0x0A1230);  // also the background of every glyph cell
constexpr Rgb glassDeep = hex(0x060A1C);
constexpr Rgb steel = hex(0x5E7FC0);
constexpr Rgb steelLight = hex(0xB8D0FF);
constexpr Rgb steelDark = hex(0x1A2550);
constexpr Rgb scale = hex(0x6FD3FF);
constexpr Rgb glyphInk = hex(0x9FF0FF);
constexpr Rgb amber = hex(0xE8C060);
constexpr Rgb caption = hex(0xC8D8FF);
constexpr Rgb shadow = hex(0x03050E);

// --- the symbol sheet ---

// A 5 x 7 pixel font for the digits, the capitals and "%", drawn into 6 x 8 cells.
using Glyph = std::array<std::string_view, 7>;
constexpr std::array<Glyph, 10> digitGlyphs{{
    {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."},
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."},
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
    {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
    {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
    {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."},
    {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."},
    {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."},
}};
constexpr std::array<Glyph, 26> letterGlyphs{{
    {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"},  // A
    {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."},
    {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."},
    {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."},
    {"#####", "#....", "#....", "####.", "#....", "#....", "#####"},
    {"#####", "#....", "#....", "####.", "#....", "#....", "#...."},
    {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"},
    {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"},
    {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."},
    {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."},
    {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"},
    {"#....", "#....", "#....", "#....", "#....", "#....", "#####"},
    {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"},
    {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"},
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
    {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."},
    {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"},
    {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"},
    {".####", "#....", "#....", ".###.", "....#", "....#", "####."},
    {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."},
    {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
    {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."},
    {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."},
    {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"},
    {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."},
    {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"},  // Z
}};
constexpr Glyph percentGlyph{"##..#", "##..#", "...#.", "..#..", ".#...", "#..##", "#..##"};

void putGlyph(Canvas& c, int x, int y, const Glyph& g, Rgb ink) {
  for (int row = 0; row < 7; ++row) {
    for (int col = 0; col < 5; ++col) {
      if (g[static_cast<size_t>(row)][static_cast<size_t>(col)] == '#')
        c.put(x + col, y + row, ink);
    }
  }
}

// A bar cell, 3 x 8: a 2 x 6 segment with a one-pixel gap to its right and above and below.
void putBarCell(Canvas& c, int x, Rgb core, Rgb edge) {
  for (int y = 1; y <= 6; ++y) {
    c.put(x, y, y == 1 || y == 6 ? edge : core);
    c.put(x + 1, y, edge);
  }
}

// The face of the status picture, 200 x 200 at (0, 16) of the sheet: the shield at (10, 8),
// the sensors and weapons in two columns from y 52, the ship's devices and thrusters from y 112.
void statusFace(Canvas& c, host::TextRenderer& text) {
  constexpr int top = 16;
  const Font small{10, false, false};
  c.frame(1, top + 1, 199, top + 199, 4, 1, steel, 0.9);
  c.frame(3, top + 3, 197, top + 197, 3, 1, steelDark);
  // A faint grid away from the readouts' cells.
  for (int x = 10; x < 196; x += 10) c.line(x + 0.5, top + 26, x + 0.5, top + 30, 1, scale, 0.18);
  c.line(8, top + 29.5, 192, top + 29.5, 1, scale, 0.35);
  c.line(101.5, top + 34, 101.5, top + 192, 1, steel, 0.45);
  c.line(8, top + 93.5, 192, top + 93.5, 1, scale, 0.25);
  drawText(c, text, small, 6, top + 34, "センサー SENSOR", amber, shadow);
  drawText(c, text, small, 106, top + 34, "兵装 WEAPON", amber, shadow);
  drawText(c, text, small, 6, top + 96, "艦内装置 SYSTEM", amber, shadow);
  drawText(c, text, small, 106, top + 96, "推進 THRUST", amber, shadow);
  drawText(c, text, small, 132, top + 5, "損傷状況", caption, shadow);
}

Canvas symbolSheet(host::TextRenderer& text) {
  Canvas c(216, 216, glass);
  for (int d = 0; d < 10; ++d) putGlyph(c, 8 * d, 0, digitGlyphs[static_cast<size_t>(d)], glyphInk);
  putBarCell(c, 80, hex(0x7CFFB0), hex(0x3FA070));  // full: shield left
  putBarCell(c, 83, hex(0xFF6A3A), hex(0x9A3018));  // empty / damage
  putGlyph(c, 88, 0, percentGlyph, glyphInk);
  for (int l = 0; l < 26; ++l)
    putGlyph(c, 8 * (l + 1), 8, letterGlyphs[static_cast<size_t>(l)], glyphInk);
  statusFace(c, text);
  return c;
}

// --- frames of the panel pictures ---

// A steel frame around a picture with a caption strip along its top (height 16) and scale
// ticks along the window (x0, y0, size w x h) that the program fills.
void panelFrame(Canvas& c, host::TextRenderer& text, std::string_view title, int wx, int wy, int ww,
                int wh) {
  const double w = c.width(), h = c.height();
  c.gradient(0, 0, w, h, hex(0x1B2A5C), hex(0x0C1636));
  c.gradient(0, 0, w, 15, hex(0x34508E), hex(0x1A2C5C));
  c.line(0, 15.5, w, 15.5, 1, steelLight, 0.7);
  c.frame(0, 0, w, h, 3, 1, steelLight, 0.8);
  drawText(c, text, {11, false, true}, 5, 1, title, hex(0xFFE9A8), shadow);
  c.rect(wx - 1, wy - 1, wx + ww + 1, wy + wh + 1, glassDeep);
  // Ticks every 20 pixels of the window, longer at its centre lines.
  for (int i = 0; i <= ww; i += 20) {
    const double len = i == ww / 2 ? 6 : 3;
    c.line(wx + i + 0.5, wy + wh + 1, wx + i + 0.5, wy + wh + 1 + len, 1, scale, 0.8);
  }
  for (int i = 0; i <= wh; i += 20) {
    const double len = i == wh / 2 ? 6 : 3;
    c.line(wx - 1 - len, wy + i + 0.5, wx - 1, wy + i + 0.5, 1, scale, 0.8);
    c.line(wx + ww + 1, wy + i + 0.5, wx + ww + 1 + len, wy + i + 0.5, 1, scale, 0.8);
  }
}

Canvas radarFrame(host::TextRenderer& text) {
  Canvas c(216, 224);
  panelFrame(c, text, "戦術レーダー  上面図", 8, 16, 200, 200);
  drawText(c, text, {9, false, false}, 170, 3, "+Y↑", scale, shadow);
  return c;
}

Canvas gaugeFrame(host::TextRenderer& text) {
  Canvas c(136, 144);
  panelFrame(c, text, "仰角  ELEV", 8, 16, 120, 120);
  return c;
}

// The dial of the elevation gauge: the half circle of radius 50 about (80, 60) that the ship's
// nose sweeps, +90 up, 0 to the left, -90 down, and the box where the elevation is printed.
Canvas gaugeDial(host::TextRenderer& text) {
  constexpr double cx = 80, cy = 60, r = 50;
  Canvas c(120, 120);
  c.mapAll([&](double x, double y, Rgb) {
    const double d = std::hypot(x - cx, y - cy) / 70;
    return mix(hex(0x13204C), glassDeep, clamp01(d));
  });
  c.fill(
      {cx - r, cy - r, cx, cy + r},
      [&](double x, double y) { return std::max(sdf::circle(x, y, cx, cy, r), x - cx); },
      hex(0x18306A), 0.6);
  c.ring(cx, cy, r, 1, scale, 0.8);
  for (int deg = -90; deg <= 90; deg += 15) {
    const double a = (180 - deg) * pi / 180;
    const double len = deg % 45 == 0 ? 8 : 4;
    const double ux = std::cos(a), uy = -std::sin(a);
    c.line(cx + ux * r, cy + uy * r, cx + ux * (r - len), cy + uy * (r - len), 1, scale, 0.9);
  }
  // The level line and the vertical through the centre, dotted.
  for (double x = cx - r; x < cx; x += 4) c.line(x, cy + 0.5, x + 2, cy + 0.5, 1, scale, 0.45);
  for (double y = cy - r; y < cy + r; y += 4) c.line(cx + 0.5, y, cx + 0.5, y + 2, 1, scale, 0.3);
  const Font label{9, false, false};
  drawText(c, text, label, cx - 22, cy - r - 1, "+90", caption, shadow);
  drawText(c, text, label, cx - 22, cy + r - 8, "-90", caption, shadow);
  drawText(c, text, label, cx - r - 10, cy - 5, "0", caption, shadow);
  drawText(c, text, label, cx - r + 6, cy - r / 2 - 6, "+45", caption, shadow);
  drawText(c, text, label, cx - r + 6, cy + r / 2 - 3, "-45", caption, shadow);
  // The printed elevation goes at (86, 98).
  drawText(c, text, {9, false, true}, 88, 84, "ELV", amber, shadow);
  c.frame(84, 96, 118, 115, 2, 1, steel, 0.9);
  return c;
}

// The panel beside the view's yaw and pitch bars: how to turn the view and what the colours of
// the plot mean.
Canvas legendPanel(host::TextRenderer& text) {
  Canvas c(216, 224);
  panelFrame(c, text, "視点操作  VIEW", 8, 24, 200, 192);
  c.rect(7, 23, 209, 217, hex(0x0C1636));
  const Font font{11, false, false};
  const Font bold{11, false, true};
  double y = 28;
  drawText(c, text, bold, 14, y, "下のバー：方位 (YAW)", caption, shadow);
  y += 16;
  drawText(c, text, bold, 14, y, "右のバー：俯仰 (PITCH)", caption, shadow);
  y += 16;
  drawText(c, text, bold, 14, y, "原点：視点を元に戻す", caption, shadow);
  y += 20;
  c.line(14, y - 3.5, 202, y - 3.5, 1, steel, 0.6);
  struct Entry {
    Rgb colour;
    std::string_view label;
    bool ring;
  };
  // The 16-colour table's entries used by the plot.
  constexpr std::array<Entry, 8> entries{{
      {hex(0xFFFF00), "X軸 (十字表示)", false},
      {hex(0x00FF00), "Y軸", false},
      {hex(0xFF0000), "Z軸", false},
      {hex(0x808080), "自艦の航跡", false},
      {hex(0x800000), "敵艦の航跡", false},
      {hex(0x0000FF), "航跡の位置", true},
      {hex(0x00FFFF), "自艦の有効射程", false},
      {hex(0xFF00FF), "敵艦の有効射程", false},
  }};
  for (const Entry& e : entries) {
    if (e.ring) {
      c.ring(26, y + 6, 2.5, 1, e.colour);
    } else {
      c.line(14, y + 6.5, 38, y + 6.5, 2, e.colour);
    }
    drawText(c, text, font, 46, y, e.label, caption, shadow);
    y += 15;
  }
  c.ring(26, y + 6, 4.5, 1, hex(0x000080));
  c.ring(26, y + 6, 5.5, 1, hex(0x3050C0), 0.5);
  drawText(c, text, font, 46, y, "基準点", caption, shadow);
  return c;
}

// The backdrop of the mission record: a star field, a title and a framed area for the badges.
Canvas missionBackdrop(host::TextRenderer& text) {
  Canvas c(640, 270);
  c.mapAll([&](double x, double y, Rgb) {
    const double n = fractalNoise(x / 160, y / 120, 4, 91);
    return mix(hex(0x050816), hex(0x0C1438), y / 270) + hex(0x1A2860) * smoothstep(0.5, 0.9, n);
  });
  c.stars(0, 0, 640, 270, 260, 4242);
  c.glow(560, 40, 120, hex(0x3050A0), 0.5);
  c.gradient(0, 0, 640, 34, hex(0x34508E), hex(0x0C1636));
  c.line(0, 34.5, 640, 34.5, 1, steelLight, 0.7);
  drawText(c, text, {20, true, true}, 24, 6, "作戦記録", hex(0xFFE9A8), shadow);
  drawText(c, text, {12, false, true}, 124, 13, "MISSION RECORD", amber, shadow);
  c.box(40, 60, 600, 240, 10, glassDeep, 0.55);
  c.frame(40, 60, 600, 240, 10, 1.5, steel, 0.9);
  c.frame(44, 64, 596, 236, 8, 1, steelDark);
  for (int i = 0; i <= 20; ++i) {
    const double x = 60 + i * 26;
    c.line(x + 0.5, 232, x + 0.5, 236, 1, scale, 0.5);
  }
  return c;
}

}  // namespace

void writeCombatPictures(AssetWriter& out) {
  host::TextRenderer& text = out.text();
  out.writeBmp("MAINCG/NO.BMP", symbolSheet(text).surface());
  out.writeBmp("MAINCG/spcg1.BMP", radarFrame(text).surface());
  out.writeBmp("MAINCG/spcg2.BMP", gaugeFrame(text).surface());
  out.writeBmp("MAINCG/spcg2_2.BMP", gaugeDial(text).surface());
  out.writeBmp("MAINCG/spcg3.BMP", legendPanel(text).surface());
  out.writeBmp("MAINCG/mission.BMP", missionBackdrop(text).surface());
}

}  // namespace zav3::assets
