// The named pictures of MAINCG: the panel tile, the list window corners, the face and message
// frames, the option menu (buttons up and pressed) and the warning about a blank in the game
// folder's path.
#include <array>
#include <iterator>
#include <string_view>
#include <vector>

#include "assets/assets.hpp"
#include "assets/paint.hpp"

namespace zav3::assets {

namespace {

// The panel background: the 8 x 8 tile at (16, 0) of BF_COLOR fills list windows and shutters.
constexpr Rgb panelNavy = hex(0x142048);
constexpr Rgb frameSteel = hex(0x5E7FC0);
constexpr Rgb frameLight = hex(0xB8D0FF);
constexpr Rgb frameDark = hex(0x1A2550);
constexpr Rgb inkShadow = hex(0x060A1C);
constexpr Rgb white = hex(0xFFFFFF);

// --- BF_COLOR: a row of 8 x 8 colour tiles over a strip of panel gradients ---

Canvas panelTiles() {
  Canvas c(128, 16);
  constexpr std::array<Rgb, 16> tiles{hex(0x05070F), hex(0x0B1230), panelNavy,     hex(0x1E2A56),
                                      hex(0x0F2E3A), hex(0x0F2A1C), hex(0x3A0F16), hex(0x2A2D36),
                                      hex(0x1B3A6B), hex(0x3B5EA0), hex(0x6F8FD0), hex(0xB8D0FF),
                                      hex(0x40300A), hex(0x8A6A1E), hex(0xE8C060), hex(0xFFFFFF)};
  for (int i = 0; i < 16; ++i) c.rect(i * 8, 0, i * 8 + 8, 8, tiles[static_cast<size_t>(i)]);
  c.map(0, 8, 128, 16, [](double x, double y, Rgb) {
    const Rgb base = mix(hex(0x0B1230), hex(0x2B4080), x / 128);
    return shade(base, (y - 12) * 0.03);
  });
  return c;
}

// --- LISTWAKU: the four corners of the list window ---

// The corners are cut from a small window framed exactly as the list window frames itself, so
// that they continue its lines.
Canvas listCorners() {
  constexpr int size = 64;
  Canvas w(size, size, panelNavy);
  const Rgb green = {168, 220, 121}, light = {220, 255, 190}, dark = {125, 168, 86};
  for (int i = 0; i < size; ++i) {
    for (int edge : {0, 2, size - 3, size - 1}) {
      if (edge == 0 || edge == size - 1 || (i >= 2 && i <= size - 3)) {
        w.put(i, edge, green);
        w.put(edge, i, green);
      }
    }
  }
  for (int i = 1; i <= size - 2; ++i) {
    w.put(i, 1, light);
    w.put(1, i, light);
  }
  for (int i = 1; i <= size - 2; ++i) {
    w.put(i, size - 2, dark);
    w.put(size - 2, i, dark);
  }
  const Rgb gold = hex(0xE8F4B0), glint = hex(0xFFF6C8);
  for (bool right : {false, true}) {
    for (bool bottom : {false, true}) {
      auto X = [&](double x) { return right ? size - x : x; };
      auto Y = [&](double y) { return bottom ? size - y : y; };
      w.line(X(6), Y(6), X(27), Y(6), 1.4, gold, 0.9);
      w.line(X(6), Y(6), X(6), Y(27), 1.4, gold, 0.9);
      w.line(X(9.5), Y(9.5), X(16), Y(9.5), 1, green, 0.7);
      w.line(X(9.5), Y(9.5), X(9.5), Y(16), 1, green, 0.7);
      w.circle(X(27.5), Y(6), 1.3, gold);
      w.circle(X(6), Y(27.5), 1.3, gold);
      w.glow(X(6), Y(6), 9, hex(0x90B060), 0.5);
      w.polygon({{X(6), Y(1.5)}, {X(10.5), Y(6)}, {X(6), Y(10.5)}, {X(1.5), Y(6)}}, glint);
      w.circle(X(6), Y(6), 1.2, white);
    }
  }
  Canvas c(128, 32);
  const std::array<Vec, 4> from{{{0, 0}, {0, 32}, {32, 0}, {32, 32}}};
  for (int k = 0; k < 4; ++k) {
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        c.put(k * 32 + x, y,
              w.get(static_cast<int>(from[static_cast<size_t>(k)].x) + x,
                    static_cast<int>(from[static_cast<size_t>(k)].y) + y));
      }
    }
  }
  return c;
}

// --- frames ---

// A bevelled metal border around (x0, y0)-(x1, y1) of the given width.
void metalFrame(Canvas& c, double x0, double y0, double x1, double y1, double width,
                double radius) {
  const double h = std::max(y1 - y0, 1.0);
  c.fill(
      {x0, y0, x1, y1},
      [&](double x, double y) {
        const double d = sdf::box(x, y, x0, y0, x1, y1, radius);
        return std::max(d, -d - width);
      },
      [&](double, double y) {
        const double t = (y - y0) / h;
        return mix(hex(0x8EA8E0), hex(0x2C3E78), t) + hex(0x202020) * (0.5 - std::abs(t - 0.5));
      });
  c.frame(x0, y0, x1, y1, radius, 1, frameLight, 0.8);
  c.frame(x0 + width - 1, y0 + width - 1, x1 - width + 1, y1 - width + 1,
          std::max(radius - width, 1.0), 1, frameDark);
}

// The dark glassy inside of a frame.
void glassPanel(Canvas& c, double x0, double y0, double x1, double y1) {
  const double h = y1 - y0;
  c.map(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1), static_cast<int>(y1),
        [&](double, double y, Rgb) {
          const double t = (y - y0) / h;
          return mix(hex(0x17255A), hex(0x0A1230), std::sqrt(clamp01(t)));
        });
}

void rivet(Canvas& c, double x, double y) {
  c.circle(x, y, 2.2, hex(0x1A2550));
  c.circle(x - 0.3, y - 0.3, 1.5, hex(0xC8DCFF));
}

}  // namespace

Canvas faceFrame() {
  constexpr int w = 136, h = 156, border = 8;
  Canvas c(w, h, hex(0x05070F));
  glassPanel(c, border, border, w - border, h - border);
  // A faint grid in the empty frame.
  c.map(border, border, w - border, h - border, [](double x, double y, Rgb old) {
    const bool grid =
        static_cast<int>(x - border) % 12 == 0 || static_cast<int>(y - border) % 12 == 0;
    return grid ? shade(old, 0.06) : old;
  });
  metalFrame(c, 0, 0, w, h, border, 6);
  for (Vec p : {Vec{4, 4}, Vec{w - 4.0, 4}, Vec{4, h - 4.0}, Vec{w - 4.0, h - 4.0}})
    rivet(c, p.x, p.y);
  // Small cyan brackets at the inner corners.
  const Rgb cyan = hex(0x6FD3FF);
  for (bool right : {false, true}) {
    for (bool bottom : {false, true}) {
      const double x = right ? w - border - 2.5 : border + 2.5;
      const double y = bottom ? h - border - 2.5 : border + 2.5;
      const double dx = right ? -10 : 10, dy = bottom ? -10 : 10;
      c.line(x, y, x + dx, y, 1, cyan, 0.7);
      c.line(x, y, x, y + dy, 1, cyan, 0.7);
    }
  }
  return c;
}

namespace {

Canvas messageFrame(host::TextRenderer& text) {
  constexpr int w = 470, h = 156;
  // The text area is (16, 16)-(418, 138); the menu tab answers clicks in x 437..465, y 9..137.
  constexpr double tabX0 = 437, tabX1 = 466, tabY0 = 9, tabY1 = 138;
  Canvas c(w, h, hex(0x05070F));
  glassPanel(c, 6, 6, 432, h - 6);
  c.gradient(432, 6, w - 6, h - 6, hex(0x101A40), hex(0x080E26));
  metalFrame(c, 0, 0, w, h, 6, 8);
  c.line(432.5, 8, 432.5, h - 8, 1, frameSteel, 0.8);
  c.line(8, 10.5, 300, 10.5, 1, hex(0x6FD3FF), 0.35);
  c.line(8, h - 10.5, 200, h - 10.5, 1, hex(0x6FD3FF), 0.2);
  for (Vec p : {Vec{3.5, 3.5}, Vec{w - 3.5, 3.5}, Vec{3.5, h - 3.5}, Vec{w - 3.5, h - 3.5}})
    c.circle(p.x, p.y, 1.4, frameLight);

  // The menu tab: a raised vertical button with "MENU" down its middle.
  c.fill(
      {tabX0, tabY0, tabX1, tabY1},
      [&](double x, double y) { return sdf::box(x, y, tabX0, tabY0, tabX1, tabY1, 5); },
      [&](double x, double) {
        return mix(hex(0x4A6FB0), hex(0x22386E), clamp01((x - tabX0) / (tabX1 - tabX0)));
      });
  c.frame(tabX0, tabY0, tabX1, tabY1, 5, 1, hex(0xA8C8FF), 0.9);
  c.frame(tabX0 + 1, tabY0 + 1, tabX1 - 1, tabY1 - 1, 4, 1, hex(0x0C1430), 0.5);
  const double mid = (tabX0 + tabX1) / 2;
  for (int i = 0; i < 3; ++i) c.line(mid - 6, 20.5 + i * 4, mid + 6, 20.5 + i * 4, 1.6, white);
  const Font letter{14, false, true};
  constexpr std::string_view menu[] = {"M", "E", "N", "U"};
  for (int i = 0; i < 4; ++i) {
    const double y = 40 + i * 19;
    drawTextIn(c, text, letter, {tabX0, y, tabX1, y + 16}, menu[i], hex(0xFFF2C0), inkShadow);
  }
  c.polygon({{mid - 5, 123}, {mid + 5, 123}, {mid, 129}}, hex(0xFFF2C0));
  return c;
}

// --- the option menu ---

struct Button {
  int x, y, width, height;
  std::string_view label;
  double fontSize;
};

constexpr std::array<Button, 14> optionButtons{{
    {40, 0, 70, 16, "オプション", 12},
    {20, 30, 110, 25, "ロード", 14},
    {20, 70, 110, 25, "セーブ", 14},
    {20, 110, 53, 25, "OFF", 12},
    {77, 110, 53, 25, "ON", 12},
    {20, 150, 53, 25, "OFF", 12},
    {77, 150, 53, 25, "ON", 12},
    {20, 190, 20, 25, "-1", 11},
    {110, 190, 20, 25, "+1", 11},
    {20, 220, 35, 25, "-10", 11},
    {95, 220, 35, 25, "+10", 11},
    {20, 250, 53, 13, "-100", 10},
    {77, 250, 53, 13, "+100", 10},
    {40, 283, 68, 14, "閉じる", 12},
}};

// The speed display between the - 1 and + 1 buttons, where the current value is printed.
constexpr Bounds speedDisplay{40, 190, 110, 215};

void drawButton(Canvas& c, host::TextRenderer& text, const Button& b, bool pressed, bool title) {
  const double x0 = b.x, y0 = b.y, x1 = b.x + b.width, y1 = b.y + b.height;
  const double r = b.height < 16 ? 3 : 5;
  const double h = y1 - y0;
  Rgb top = hex(0x5479BC), bottom = hex(0x223A72), edge = hex(0xA8C8FF);
  Rgb ink = white;
  if (title) top = hex(0x34508E), bottom = hex(0x1A2C5C), edge = hex(0xE8C060), ink = hex(0xFFE9A8);
  if (pressed) {
    top = hex(0x0A1430), bottom = hex(0x1B3468), edge = hex(0x6FE0FF), ink = hex(0xA8F4FF);
  }
  c.fill(
      {x0, y0, x1, y1}, [&](double x, double y) { return sdf::box(x, y, x0, y0, x1, y1, r); },
      [&](double, double y) { return mix(top, bottom, clamp01((y - y0) / h)); });
  if (pressed) {
    // Sunken: a dark upper edge and a glow along the bottom.
    c.line(x0 + r, y0 + 1.5, x1 - r, y0 + 1.5, 1, hex(0x000000), 0.6);
    c.line(x0 + r, y1 - 2, x1 - r, y1 - 2, 1, edge, 0.35);
  } else {
    // Raised: a highlight across the upper half.
    c.fill(
        {x0 + 1, y0 + 1, x1 - 1, y0 + h / 2},
        [&](double x, double y) {
          return sdf::box(x, y, x0 + 1, y0 + 1, x1 - 1, y0 + h / 2, r - 1);
        },
        white, 0.12);
  }
  c.frame(x0, y0, x1, y1, r, 1, edge, pressed ? 1.0 : 0.85);
  const double shift = pressed ? 1 : 0;
  drawTextIn(c, text, {b.fontSize, false, true}, {x0 + shift, y0 + shift, x1 + shift, y1 + shift},
             b.label, ink, inkShadow);
}

// A small caption with a rule after it.
void caption(Canvas& c, host::TextRenderer& text, double y, std::string_view label) {
  const Font font{11, false, false};
  const int w = drawText(c, text, font, 20, y, label, hex(0xC8D8FF), inkShadow);
  c.line(20 + w + 4, y + 6.5, 130, y + 6.5, 1, frameSteel, 0.6);
}

Canvas optionMenu(host::TextRenderer& text, int height, bool pressed) {
  constexpr int w = 150, fullHeight = 300;
  Canvas c(w, height);
  c.map(0, 0, w, height, [](double x, double y, Rgb) {
    const Rgb base = mix(hex(0x1C2B5E), hex(0x0B1230), clamp01(y / fullHeight));
    return shade(base, 0.04 * std::sin(x * 0.05) - 0.08 * std::abs(x - w / 2.0) / w);
  });
  c.stars(4, 20, w - 4, fullHeight - 4, 40, 77, 0.35);
  c.frame(0, 0, w, fullHeight, 0, 1, frameLight, 0.9);
  c.frame(2, 2, w - 2, fullHeight - 2, 0, 1, frameSteel, 0.6);
  c.line(8, 8.5, 34, 8.5, 1, hex(0xE8C060), 0.7);
  c.line(116, 8.5, 142, 8.5, 1, hex(0xE8C060), 0.7);
  caption(c, text, 97, "音楽");
  caption(c, text, 137, "文字音");
  caption(c, text, 177, "表示ウェイト");
  c.line(20, 273.5, 130, 273.5, 1, frameSteel, 0.6);
  // The speed display: a dark recessed readout.
  const Bounds s = speedDisplay;
  c.box(s.x0 + 3, s.y0 + 1, s.x1 - 3, s.y1 - 1, 3, hex(0x03060F));
  c.frame(s.x0 + 3, s.y0 + 1, s.x1 - 3, s.y1 - 1, 3, 1, hex(0x3D6FA8));
  c.line(s.x0 + 6, s.y1 - 2.5, s.x1 - 6, s.y1 - 2.5, 1, hex(0x6FD3FF), 0.25);
  for (size_t k = 0; k < optionButtons.size(); ++k)
    drawButton(c, text, optionButtons[k], pressed, k == 0);
  return c;
}

// --- KEIKOKU: the blank-in-path warning ---

void hazardStripes(Canvas& c, double y0, double y1) {
  c.map(0, static_cast<int>(y0), c.width(), static_cast<int>(y1), [&](double x, double y, Rgb) {
    const double band = std::fmod(x + y + 1000, 28.0);
    return band < 14 ? hex(0xE8B020) : hex(0x141010);
  });
  c.line(0, y0 + 0.5, c.width(), y0 + 0.5, 1, hex(0x000000));
  c.line(0, y1 - 0.5, c.width(), y1 - 0.5, 1, hex(0x000000));
}

Canvas warning(host::TextRenderer& text) {
  constexpr int w = 640, h = 460;
  Canvas c(w, h);
  c.mapAll([](double x, double y, Rgb) {
    const double v = 1 - 0.6 * std::hypot((x - 320) / 420, (y - 230) / 300);
    return mix(hex(0x050308), hex(0x2A0A10), clamp01(v));
  });
  c.stars(0, 24, w, h - 24, 120, 5, 0.4);
  hazardStripes(c, 0, 22);
  hazardStripes(c, h - 22, h);

  // Warning sign and title.
  const std::vector<Vec> sign{{110, 52}, {160, 140}, {60, 140}};
  c.glow(110, 105, 80, hex(0xFF6020), 0.35);
  c.polygon(sign, hex(0xF0C030));
  c.polygon({{110, 66}, {147, 132}, {73, 132}}, hex(0x1A1010));
  c.polygon({{110, 72}, {141, 128}, {79, 128}}, hex(0xF0C030));
  c.box(105, 88, 115, 115, 3, hex(0x1A1010));
  c.circle(110, 121, 4, hex(0x1A1010));
  drawText(c, text, {44, false, true}, 190, 66, "警告", hex(0xFFD060), hex(0x300000));
  drawText(c, text, {16, false, false}, 192, 118, "WARNING : BLANK IN THE GAME FOLDER PATH",
           hex(0xE08070));
  c.line(60, 160.5, 580, 160.5, 1, hex(0xE8B020), 0.6);

  const Font body{18, false, true};
  constexpr std::string_view lines[] = {
      "ゲームのフォルダ名に空白（スペース）が",       "含まれています。",
      "このままでは効果音や音楽が正しく再生されない", "ことがあります。",
      "空白を含まない名前のフォルダへゲームを移して", "から、もう一度起動してください。",
  };
  double y = 184;
  for (size_t i = 0; i < std::size(lines); ++i) {
    drawText(c, text, body, 80, y, lines[i], hex(0xF4F0FF), hex(0x000000));
    y += (i % 2 == 1) ? 36 : 26;
  }
  // The folder is printed in the box below its caption at (100, 410).
  drawText(c, text, {14, false, true}, 92, 384, "現在のフォルダ：", hex(0xFFD060), hex(0x000000));
  c.box(88, 402, 600, 432, 4, hex(0x000000), 0.85);
  c.frame(88, 402, 600, 432, 4, 1, hex(0xC04060));
  return c;
}

}  // namespace

void writePictures(AssetWriter& out) {
  host::TextRenderer& text = out.text();
  out.writeBmp("MAINCG/BF_COLOR.BMP", panelTiles().surface());
  out.writeBmp("MAINCG/LISTWAKU.BMP", listCorners().surface());
  out.writeBmp("MAINCG/KAOWAKU.BMP", faceFrame().surface());
  out.writeBmp("MAINCG/TXTWAKU.BMP", messageFrame(text).surface());
  out.writeBmp("MAINCG/OPTION1.BMP", optionMenu(text, 300, false).surface());
  out.writeBmp("MAINCG/OPTION2.BMP", optionMenu(text, 280, true).surface());
  out.writeBmp("MAINCG/KEIKOKU.BMP", warning(text).surface());
}

}  // namespace zav3::assets
