// The switch panel sheet CONCENT of MAINCG: four kinds of push button, each unlit (row 0) and lit
// and pressed in (row 25), and the lamps of the eleven switches, dark (row 50) and lit (row 70),
// with the master lamp of switch 11 below them (dark at (0, 90), lit at (0, 110)). The game cuts
// the 25 x 25 buttons and 20 x 20 lamps out of the sheet and draws them over a panel scene.
#include <array>
#include <cmath>

#include "assets/assets.hpp"
#include "assets/paint.hpp"

namespace zav3::assets {

namespace {

constexpr int sheetWidth = 200;
constexpr int sheetHeight = 130;
constexpr int buttonSize = 25;
constexpr int lampSize = 20;

constexpr Rgb panelSteel = hex(0x242A34);
constexpr Rgb panelShadow = hex(0x161A22);
constexpr Rgb chromeLight = hex(0xC4CCD8);
constexpr Rgb chromeDark = hex(0x3A414E);
constexpr Rgb well = hex(0x07090D);
constexpr Rgb white = hex(0xFFFFFF);

// The cap colours of the four button columns (x 0, 25, 50 and 75 of the sheet).
constexpr std::array<Rgb, 4> buttonColours{hex(0xE8463C), hex(0xF2A422), hex(0x3ED266),
                                           hex(0x3C9CFF)};
// Sheet column of each switch's button; its lamp takes the same colour.
constexpr std::array<int, 10> switchColumns{50, 75, 0, 50, 25, 25, 50, 0, 75, 25};
constexpr Rgb masterLampColour = hex(0x5FE8FF);

// The brushed panel behind every piece, so that a piece sits on the panel it is mounted in.
void panelGround(Canvas& c) {
  const double h = c.height();
  c.mapAll([&](double x, double y, Rgb) {
    const double grain = (valueNoise(x * 0.6, y * 6, 41) - 0.5) * 0.05;
    return shade(mix(panelSteel, panelShadow, y / h), grain);
  });
}

// A rounded chrome bezel lit from above.
void chromeBezel(Canvas& c, double x0, double y0, double x1, double y1, double radius) {
  const double h = y1 - y0;
  c.fill(
      {x0, y0, x1, y1}, [&](double x, double y) { return sdf::box(x, y, x0, y0, x1, y1, radius); },
      [&](double, double y) { return mix(chromeLight, chromeDark, clamp01((y - y0) / h)); });
  c.frame(x0, y0, x1, y1, radius, 1, hex(0x0C0E12), 0.7);
}

Canvas button(Rgb colour, bool lit) {
  Canvas c(buttonSize, buttonSize);
  panelGround(c);
  chromeBezel(c, 1, 1, 24, 24, 4);
  c.box(4, 4, 21, 21, 3, well);
  // A lit button is pressed in: its cap sits one pixel lower and glows.
  const double shift = lit ? 1 : 0;
  const double x0 = 5.5, y0 = 5 + shift, x1 = 19.5, y1 = 19 + shift;
  const Rgb top = lit ? shade(colour, 0.35) : shade(colour, -0.55);
  const Rgb bottom = lit ? colour : shade(colour, -0.78);
  c.fill(
      {x0, y0, x1, y1}, [&](double x, double y) { return sdf::box(x, y, x0, y0, x1, y1, 2.5); },
      [&](double, double y) { return mix(top, bottom, clamp01((y - y0) / (y1 - y0))); });
  if (lit) {
    c.glow(12.5, 12 + shift, 7, shade(colour, 0.5), 0.55);
    c.box(9, 8 + shift, 16, 10 + shift, 1, white, 0.55);
  } else {
    // Unlit: a faint sheen across the top of the cap.
    c.box(7, 6.5, 18, 9, 1.5, white, 0.12);
  }
  c.frame(x0, y0, x1, y1, 2.5, 1, lit ? shade(colour, 0.6) : shade(colour, -0.4), 0.8);
  return c;
}

Canvas lamp(Rgb colour, bool lit, bool master) {
  Canvas c(lampSize, lampSize);
  panelGround(c);
  const double cx = 10, cy = 10;
  // Chrome ring, lighter on top.
  c.fill(
      {1, 1, 19, 19}, [&](double x, double y) { return sdf::circle(x, y, cx, cy, 8.6); },
      [&](double, double y) { return mix(chromeLight, chromeDark, clamp01((y - 1.5) / 17)); });
  c.ring(cx, cy, 8.6, 0.8, hex(0x0C0E12), 0.7);
  c.circle(cx, cy, 6.4, well);
  if (lit) {
    c.fill(
        {3, 3, 17, 17}, [&](double x, double y) { return sdf::circle(x, y, cx, cy, 5.8); },
        [&](double x, double y) {
          const double r = std::hypot(x - cx, y - cy) / 5.8;
          return mix(shade(colour, 0.75), colour, smoothstep(0.1, 1.0, r));
        });
    c.glow(cx, cy, 7, shade(colour, 0.4), 0.5);
    c.circle(cx, cy, 1.6, white, 0.9);
  } else {
    c.fill(
        {3, 3, 17, 17}, [&](double x, double y) { return sdf::circle(x, y, cx, cy, 5.8); },
        [&](double x, double y) {
          const double r = std::hypot(x - cx, y - cy) / 5.8;
          return mix(shade(colour, -0.62), shade(colour, -0.85), r);
        });
  }
  if (master) c.ring(cx, cy, 4.2, 0.9, lit ? white : shade(colour, -0.5), lit ? 0.7 : 0.8);
  // The glass's highlight at its upper left.
  c.ellipse(7.6, 7.2, 2.2, 1.4, white, lit ? 0.55 : 0.3);
  return c;
}

void paste(Canvas& sheet, const Canvas& piece, int x, int y) {
  for (int py = 0; py < piece.height(); ++py)
    for (int px = 0; px < piece.width(); ++px) sheet.put(x + px, y + py, piece.get(px, py));
}

Canvas switchPanelSheet() {
  Canvas sheet(sheetWidth, sheetHeight);
  panelGround(sheet);
  for (std::size_t k = 0; k < buttonColours.size(); ++k) {
    const int x = static_cast<int>(k) * buttonSize;
    paste(sheet, button(buttonColours[k], false), x, 0);
    paste(sheet, button(buttonColours[k], true), x, buttonSize);
  }
  for (std::size_t i = 0; i < switchColumns.size(); ++i) {
    const Rgb colour = buttonColours[static_cast<std::size_t>(switchColumns[i] / buttonSize)];
    const int x = static_cast<int>(i) * lampSize;
    paste(sheet, lamp(colour, false, false), x, 50);
    paste(sheet, lamp(colour, true, false), x, 70);
  }
  paste(sheet, lamp(masterLampColour, false, true), 0, 90);
  paste(sheet, lamp(masterLampColour, true, true), 0, 110);
  return sheet;
}

}  // namespace

void writePanels(AssetWriter& out) {
  out.writeBmp("MAINCG/CONCENT.BMP", switchPanelSheet().surface());
}

}  // namespace zav3::assets
