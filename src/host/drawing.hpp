// Drawing on surfaces: the colour forms (16-colour table, RGB values), copying and stretching
// rectangles between surfaces, points, lines, boxes, circles, arcs and ellipses, in plain or
// exclusive-or mode, and clearing.
//
// Coordinates and sizes are passed as the game's singles and rounded to whole pixels (nearest,
// ties to even; error 6 when a value does not fit a long). Pixels outside a surface are
// clipped silently. Pixel values are 0xAARRGGBB; drawing keeps the destination's alpha in
// exclusive-or mode and writes the pen's value in plain mode.
#pragma once

#include <cstdint>
#include <optional>
#include <source_location>

#include "host/surface.hpp"

namespace zav3::host {

// --- colours ---

// Entry 0..15 of the standard 16-colour table as r + 256 g + 65536 b: 0 black, 1 blue (0,0,128),
// 2 green, 3 cyan, 4 red, 5 magenta, 6 brown (128,128,0), 7 light grey (192,192,192),
// 8 dark grey, 9 bright blue (0,0,255), 10 bright green, 11 bright cyan, 12 bright red,
// 13 bright magenta, 14 yellow, 15 white. Error 5 for any other index.
GameColour indexedColour(double index,
                         std::source_location where = std::source_location::current());

// r + 256 g + 65536 b; a component outside 0..255 (after rounding) is error 5.
GameColour rgb(double r, double g, double b,
               std::source_location where = std::source_location::current());

// The pixel value of a colour argument in its form: an index into the 16-colour table when
// `indexed`, else an RGB value 0..&HFFFFFF. Error 5 outside those ranges.
std::uint32_t pixelColour(double value, bool indexed,
                          std::source_location where = std::source_location::current());

// --- pens ---

// Drawing modes, numbered as the game passes them.
enum class DrawMode { copy = 3, exclusiveOr = 7 };

// The drawing mode of a game argument: 3 or 7, else error 5.
DrawMode drawModeOf(long mode, std::source_location where = std::source_location::current());

struct Pen {
  std::uint32_t argb = 0xFF000000u;
  // copy writes `argb`; exclusiveOr flips the destination's RGB bits that are set in `argb`
  // (alpha is kept), so drawing the same figure twice restores the pixels.
  DrawMode mode = DrawMode::copy;
  // Line pattern: the n-th pixel of a line (from its first point) is drawn when bit 15 - n % 16
  // is set; 0xFFFF (the game's -1) is solid.
  std::uint16_t pattern = 0xFFFF;
};

// --- surfaces and rectangles ---

// Fills the whole surface with its background colour.
void clear(Surface& surface, std::uint32_t backArgb);

// Copies the whole of `source` with its top-left corner at (x, y).
void drawBitmap(Surface& target, const Surface& source, double x, double y,
                std::source_location where = std::source_location::current());

// Copies the rectangle (sx, sy, width, height) of `source` to (dx, dy) of `target`, pixel for
// pixel. Only pixels inside both surfaces are copied; a zero or negative size copies nothing.
// Source and target may be the same surface, overlapping or not.
void copyRect(Surface& target, double dx, double dy, double width, double height,
              const Surface& source, double sx, double sy,
              std::source_location where = std::source_location::current());

// Scales the source rectangle (sx, sy, sWidth, sHeight) onto the target rectangle
// (dx, dy, dWidth, dHeight) by nearest neighbour: target pixel i of a row takes source pixel
// floor((2i + 1) * sWidth / (2 * dWidth)), likewise for rows. A negative width (height) makes
// the rectangle extend to the left of (above) its corner and mirrors when the signs of source
// and target differ. Equal sizes copy exactly as copyRect does. Pixels whose source or target
// lies outside its surface are left alone.
void stretchRect(Surface& target, double dx, double dy, double dWidth, double dHeight,
                 const Surface& source, double sx, double sy, double sWidth, double sHeight,
                 std::source_location where = std::source_location::current());

// --- figures ---

void drawPoint(Surface& surface, double x, double y, const Pen& pen,
               std::source_location where = std::source_location::current());

// A straight line from (x1, y1) to (x2, y2), both end points included, each pixel drawn once.
// Along the longer axis every step draws one pixel; the other coordinate is the exact one
// rounded half away from the first point.
void drawLine(Surface& surface, double x1, double y1, double x2, double y2, const Pen& pen,
              std::source_location where = std::source_location::current());

// The outline of the rectangle with corners (x1, y1) and (x2, y2), both included; every pixel is
// drawn once, corners too. The pattern restarts on each side.
void drawBox(Surface& surface, double x1, double y1, double x2, double y2, const Pen& pen,
             std::source_location where = std::source_location::current());

// The rectangle with corners (x1, y1) and (x2, y2) (both included): its outline drawn with
// `pen`, its inside with `fillArgb` in the pen's mode, each pixel once.
void fillBox(Surface& surface, double x1, double y1, double x2, double y2, const Pen& pen,
             std::uint32_t fillArgb, std::source_location where = std::source_location::current());

// The game's combined line-or-box operation. When `relative`, (x2, y2) is an offset from
// (x1, y1). `shape` 0 line, 1 rectangle outline, 2 filled rectangle (outline `argb`, inside
// `fillArgb`); `pattern` is the line pattern as a 16-bit value (-1 solid); `mode` 3 plain or
// 7 exclusive-or. Any other shape or mode is error 5.
struct LineOrBox {
  double x1 = 0, y1 = 0;
  bool relative = false;
  double x2 = 0, y2 = 0;
  std::uint32_t argb = 0xFF000000u;
  long shape = 0;
  std::uint32_t fillArgb = 0xFF000000u;
  long pattern = -1;
  long mode = 3;
};
void lineOrBox(Surface& surface, const LineOrBox& figure,
               std::source_location where = std::source_location::current());

// Circle options. `aspect` is the ratio of the vertical to the horizontal radius; the radius
// argument is the horizontal radius when aspect <= 1 and the vertical one above 1. Angles are in
// radians, counter-clockwise from the positive x axis as seen on screen (y up), taken modulo
// 2 pi; the arc runs counter-clockwise from `start` (default 0) to `end` (default 2 pi), and
// equal angles draw the whole figure. A negative angle also draws a line from the centre to that
// end of the arc. The angle of an ellipse point is its angle on the circle the ellipse was
// stretched from.
struct CircleOptions {
  double aspect = 1.0;
  std::optional<double> start;
  std::optional<double> end;
};

// A circle, ellipse or arc around (x, y) by the midpoint algorithm; each pixel is drawn once.
// Radii are rounded to whole pixels; radii above 4194304 pixels draw nothing.
void drawCircle(Surface& surface, double x, double y, double radius, const Pen& pen,
                const CircleOptions& options = {},
                std::source_location where = std::source_location::current());

}  // namespace zav3::host
