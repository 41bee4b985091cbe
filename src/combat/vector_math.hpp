// Degree trigonometry with the game's fixed rounding, directions between points, movement along
// a heading, rotation and perspective projection of model points, viewport clipping, distance
// and ranking by distance, and the small readouts drawn with the symbol font (coordinate panel,
// shield bar, damage bar). The procedures keep their by-reference form: results are written
// into the caller's variables or array elements.
#pragma once

#include <source_location>
#include <vector>

#include "host/arrays.hpp"
#include "host/error.hpp"
#include "host/forms.hpp"
#include "host/numbers.hpp"
#include "host/sjis.hpp"
#include "host/surface.hpp"
#include "host/text.hpp"

namespace zav3::combat {

using host::Array;
using host::Array2;
using host::Bytes;
using host::Double;
using host::Integer;
using host::Long;
using host::Single;

// Constants with the precision the game computes with: pi and one degree in radians as singles,
// the stand-in for a zero x difference, and the projection constants.
inline constexpr Single gamePi = 3.14159f;
inline constexpr Single oneDegree = 0.01745328f;
inline constexpr Single zeroSubstitute = 0.00001f;
inline constexpr Integer projectionDistance = 20000;
inline constexpr Integer viewportLast = 199;

// Stores into a 16-bit integer or a 32-bit long: nearest, ties to even; error 6 out of range.
Integer nearest16(double value, std::source_location where = std::source_location::current());
Long nearest32(double value, std::source_location where = std::source_location::current());

// result = nearest16(sin(pi x angle / 180) x 10000) / 10000 (four decimals); likewise cosine.
void SIN_SUB(Single angle, Single& result);
void COS_SUB(Single angle, Single& result);
// Fills both tables (0..360) with SIN_SUB and COS_SUB of every whole degree.
void fillAngleTables(Array<Single>& sinTable, Array<Single>& cosTable);

// Direction of (dx, dy) in degrees, 0 <= angle < 360, two decimals.
void ATN_SUB(Double dx, Double dy, Single& angle);
// Direction from point 1 to point 2: elevation -90..90 (up positive), azimuth from +x to +y.
void ANGLE(Double x1, Double y1, Double z1, Double x2, Double y2, Double z2, Single& elevation,
           Single& azimuth);
// x += 10 dx, y += 10 dy, z += 10 dz.
void IDOU_SUB(Double& x, Double& y, Double& z, Long dx, Long dy, Long dz);
// Moves the point by `distance` along the direction, quantised to multiples of 10 per axis.
void ZAHYO_SUB(Single elevation, Single azimuth, Double distance, Double& x, Double& y, Double& z);
// Step vector of length distance / 10 from the tables (negative angles get +360 once).
void ZAHYO_SUB2(Integer elevation, Integer azimuth, Double distance, Long& dx, Long& dy, Long& dz,
                const Array<Single>& sinTable, const Array<Single>& cosTable);
// Step vector of full length from the tables.
void ZAHYO_SUB3(Integer elevation, Integer azimuth, Single length, Long& dx, Long& dy, Long& dz,
                const Array<Single>& sinTable, const Array<Single>& cosTable);
// Normalises model point [object, point]: xs = px / scale - cx, likewise y and z.
void ZAHYO_SUB4(Integer object, Integer point, Double scale, Array2<Single>& xs, Array2<Single>& ys,
                Array2<Single>& zs, Double cx, Double cy, Double cz, Double px, Double py,
                Double pz);
// Rotates model point [object, point] by yaw about z, then by pitch about x.
void KAITEN_SUB(Integer yaw, Integer pitch, Integer object, Integer point, const Array2<Single>& xs,
                const Array2<Single>& ys, const Array2<Single>& zs, Double& rx, Double& ry,
                Double& rz, const Array<Single>& sinTable, const Array<Single>& cosTable);
// Perspective projection of a rotated point into the 200 x 200 viewport at [object, point].
void TOSHI_SUB(Integer zoom, Long depthOffset, Integer object, Integer point,
               Array2<Single>& screenX, Array2<Single>& screenY, Double rx, Double ry, Double rz);
// Scale and centre of a model's bounding box (box elements 0, 1, 2 and 4, 5, 6).
void SHUKU_SUB(Double& scale, const Array<Double>& box, Double& x1, Double& y1, Double& z1,
               Double& x2, Double& y2, Double& z2, Double& cx, Double& cy, Double& cz);
// Clips the segment from the anchor to [object, point] against the viewport; writes the point
// back and sets `clipped` to 1 only when the flag was 0 and the point moved.
void HAMIDASU_SUB(Integer object, Integer point, Array2<Single>& screenX, Array2<Single>& screenY,
                  Single anchorX, Single anchorY, Integer& clipped);
// ranks[i] := rank of values[i] among values[0..count], 1 = smallest, ties in index order.
// The ranks must be 0 on entry.
void SOUTO_SUB(Integer count, const Array<Double>& values, Array<Integer>& ranks);
// distance := floor of the Euclidean distance.
void KYORI_SUB(Double& distance, Double x1, Double y1, Double z1, Double x2, Double y2, Double z2);

// --- readouts ---

// One cell copied from the symbol sheet: the rectangle (sheetX, sheetY, width, height) of the
// sheet to (x, y) of the target.
struct SheetCell {
  Single x = 0, y = 0;
  Integer sheetX = 0, sheetY = 0;
  Integer width = 0, height = 0;
  bool operator==(const SheetCell&) const = default;
};

// Glyph cells of the symbol font: 6 x 8; digits in row 0, capitals in row 8, "%" at (88, 0),
// anything else the empty cell at (0, 8). A character is one byte.
SheetCell symbolCell(const Bytes& character, Single x, Single y);
// Character i (from 1) at x + 6 (i - 1), rounded to a whole pixel.
std::vector<SheetCell> symbolText(const Bytes& text, Single x, Single y);
// "SHIELD" + value \ 12 + "%" and the 60-cell bar below it (full cells first).
std::vector<SheetCell> shieldCells(Integer value, Single x, Single y);
// caption + value + "S" and value \ 120 + 1 empty bar cells below it.
std::vector<SheetCell> damageCells(const Bytes& caption, Integer value, Single x, Single y);
void drawCells(const std::vector<SheetCell>& cells, const host::Surface& sheet,
               host::Surface& target);

// The symbol-font procedures: `sheet` is the symbol sheet picture P15, `target` the bitmap drawn
// on (modelBitmap).
void SYMBOL_SUB(const Bytes& character, Single x, Single y, const host::Surface& sheet,
                host::Surface& target);
void SYMBOL_SUB2(const Bytes& text, Single x, Single y, const host::Surface& sheet,
                 host::Surface& target);
void SHIELD_SUB(Integer value, Single x, Single y, const host::Surface& sheet,
                host::Surface& target);
void SONGAI_SUB(const Bytes& caption, Integer value, Single x, Single y, const host::Surface& sheet,
                host::Surface& target);

// One line of the coordinate readout: its row, its text and its colour (16-colour table).
struct ReadoutLine {
  Integer y = 0;
  Bytes text;
  Integer colour = 0;
  bool operator==(const ReadoutLine&) const = default;
};

// The lines of the readout panel: own ship rows 0..48 (colour 9), the enemy rows 80..128
// (colour 5) and its distance at 160 (colour 13) unless bit 0 of gameFlag 992 is set, and the
// target distance at 176 (colour 14). The ten numbers are right-aligned to the longest.
std::vector<ReadoutLine> readoutLines(const Array<Double>& values, const Array<Double>& extra,
                                      const Array<Integer>& gameFlag);

inline constexpr Integer readoutWidth = 140;
inline constexpr Integer readoutHeight = 200;
inline constexpr Integer readoutLeft = 250;
inline constexpr Integer readoutTop = 35;

// Draws the readout panel on PICTURE2 (sized 140 x 200, tiled with `panelTile`) in the picture
// box's font, each line on a black background, and copies it onto PICTURE1 at (250, 35).
void PRINT_SUB(const Array<Double>& values, const Array<Double>& extra,
               const Array<Integer>& gameFlag, host::Forms& forms, const host::Surface& panelTile,
               host::TextRenderer& text);

}  // namespace zav3::combat
