// Degree trigonometry, directions, movement, rotation, projection, clipping, distance and
// ranking. Expressions on singles are evaluated in single precision and expressions that involve
// a double in double precision, as the game computes them.
#include "combat/vector_math.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "host/drawing.hpp"

namespace zav3::combat {

namespace {

// Degrees as table indexes: a negative angle is brought into range once.
Integer tableAngle(Integer angle) {
  return angle < 0 ? static_cast<Integer>(angle + 360) : angle;
}

// 10 x step as a 32-bit long; error 6 when it does not fit.
Long tenTimes(Long step) {
  const std::int64_t product = std::int64_t{10} * step;
  if (product < INT32_MIN || product > INT32_MAX) host::raise(host::err::overflow);
  return static_cast<Long>(product);
}

bool offViewport(Single v) {
  return v < 0.0f || v > static_cast<Single>(viewportLast);
}

}  // namespace

Integer nearest16(double value, std::source_location where) {
  return host::toInteger(value, where);
}

Long nearest32(double value, std::source_location where) {
  return host::toLong(value, where);
}

void SIN_SUB(Single angle, Single& result) {
  const Single radians = gamePi * angle / 180.0f;
  const Integer scaled = nearest16(std::sin(static_cast<double>(radians)) * 10000.0);
  result = static_cast<Single>(scaled) / 10000.0f;
}

void COS_SUB(Single angle, Single& result) {
  const Single radians = gamePi * angle / 180.0f;
  const Integer scaled = nearest16(std::cos(static_cast<double>(radians)) * 10000.0);
  result = static_cast<Single>(scaled) / 10000.0f;
}

void fillAngleTables(Array<Single>& sinTable, Array<Single>& cosTable) {
  for (Integer degree = 0; degree <= 360; ++degree) {
    SIN_SUB(static_cast<Single>(degree), sinTable(degree));
    COS_SUB(static_cast<Single>(degree), cosTable(degree));
  }
}

void ATN_SUB(Double dx, Double dy, Single& angle) {
  const Double divisor = dx == 0.0 ? static_cast<Double>(zeroSubstitute) : dx;
  const Double hundredths = std::atan(dy / divisor) / static_cast<Double>(oneDegree) * 100.0;
  Single result = static_cast<Single>(nearest16(hundredths)) / 100.0f;
  if (dx < 0.0) result += 180.0f;
  if (dx >= 0.0 && dy < 0.0) result += 360.0f;
  if (result >= 360.0f) result -= 360.0f;
  if (result < 0.0f) result += 360.0f;
  angle = result;
}

void ANGLE(Double x1, Double y1, Double z1, Double x2, Double y2, Double z2, Single& elevation,
           Single& azimuth) {
  const Double dx = x2 - x1;
  const Double dy = y2 - y1;
  ATN_SUB(dx, dy, azimuth);
  const Double h = std::sqrt(dx * dx + dy * dy);
  const Double dz = z2 - z1;
  Single up = 0;
  ATN_SUB(h, dz, up);
  if (up > 90.0f && up < 270.0f) up = 180.0f - up;
  if (up >= 270.0f) up -= 360.0f;
  elevation = up;
}

void IDOU_SUB(Double& x, Double& y, Double& z, Long dx, Long dy, Long dz) {
  x += tenTimes(dx);
  y += tenTimes(dy);
  z += tenTimes(dz);
}

void ZAHYO_SUB(Single elevation, Single azimuth, Double distance, Double& x, Double& y, Double& z) {
  const Double r = distance / 10.0;
  Single s1 = 0, c1 = 0, s2 = 0, c2 = 0;
  SIN_SUB(elevation, s1);
  COS_SUB(elevation, c1);
  SIN_SUB(azimuth, s2);
  COS_SUB(azimuth, c2);
  const Single cc = c2 * c1;
  const Single sc = s2 * c1;
  const Long dx = nearest32(cc * r);
  const Long dy = nearest32(sc * r);
  const Long dz = nearest32(s1 * r);
  IDOU_SUB(x, y, z, dx, dy, dz);
}

void ZAHYO_SUB2(Integer elevation, Integer azimuth, Double distance, Long& dx, Long& dy, Long& dz,
                const Array<Single>& sinTable, const Array<Single>& cosTable) {
  const Integer el = tableAngle(elevation);
  const Integer az = tableAngle(azimuth);
  const Double r = distance / 10.0;
  const Single cc = cosTable(az) * cosTable(el);
  const Single sc = sinTable(az) * cosTable(el);
  dx = nearest32(cc * r);
  dy = nearest32(sc * r);
  dz = nearest32(sinTable(el) * r);
}

void ZAHYO_SUB3(Integer elevation, Integer azimuth, Single length, Long& dx, Long& dy, Long& dz,
                const Array<Single>& sinTable, const Array<Single>& cosTable) {
  const Integer el = tableAngle(elevation);
  const Integer az = tableAngle(azimuth);
  const Single x = cosTable(az) * cosTable(el) * length;
  const Single y = sinTable(az) * cosTable(el) * length;
  const Single z = sinTable(el) * length;
  dx = nearest32(x);
  dy = nearest32(y);
  dz = nearest32(z);
}

void ZAHYO_SUB4(Integer object, Integer point, Double scale, Array2<Single>& xs, Array2<Single>& ys,
                Array2<Single>& zs, Double cx, Double cy, Double cz, Double px, Double py,
                Double pz) {
  xs(object, point) = static_cast<Single>(px / scale - cx);
  ys(object, point) = static_cast<Single>(py / scale - cy);
  zs(object, point) = static_cast<Single>(pz / scale - cz);
}

void KAITEN_SUB(Integer yaw, Integer pitch, Integer object, Integer point, const Array2<Single>& xs,
                const Array2<Single>& ys, const Array2<Single>& zs, Double& rx, Double& ry,
                Double& rz, const Array<Single>& sinTable, const Array<Single>& cosTable) {
  const Integer turn = tableAngle(yaw);
  const Integer tilt = tableAngle(pitch);
  const Single x = xs(object, point);
  const Single y = ys(object, point);
  const Single z = zs(object, point);
  // About the vertical z axis, then about the x axis.
  const Single x1 = x * cosTable(turn) - y * sinTable(turn);
  const Single y1 = y * cosTable(turn) + x * sinTable(turn);
  const Single z1 = z;
  const Single y2 = y1 * cosTable(tilt) - z1 * sinTable(tilt);
  const Single z2 = z1 * cosTable(tilt) + y1 * sinTable(tilt);
  rx = x1;
  ry = y2;
  rz = z2;
}

void TOSHI_SUB(Integer zoom, Long depthOffset, Integer object, Integer point,
               Array2<Single>& screenX, Array2<Single>& screenY, Double rx, Double ry, Double rz) {
  const Double d = ry + depthOffset;
  const Integer lens = nearest16(static_cast<double>(projectionDistance) - zoom);
  const Double f = lens / d;
  screenX(object, point) = static_cast<Single>(rx * f + 100.0);
  screenY(object, point) = static_cast<Single>(100.0 - rz * f);
}

void SHUKU_SUB(Double& scale, const Array<Double>& box, Double& x1, Double& y1, Double& z1,
               Double& x2, Double& y2, Double& z2, Double& cx, Double& cy, Double& cz) {
  x1 = box(0);
  y1 = box(1);
  z1 = box(2);
  x2 = box(4);
  y2 = box(5);
  z2 = box(6);
  const Double wx = x1 - x2;
  const Double wy = y1 - y2;
  const Double wz = z1 - z2;
  scale = std::fabs(wx) < std::fabs(wy) ? std::fabs(wy) / 100.0 : std::fabs(wx) / 100.0;
  if (scale == 0.0) scale = 1.0;
  cx = (x1 - wx / 2.0) / scale;
  cy = (y1 - wy / 2.0) / scale;
  cz = (z1 - wz / 2.0) / scale;
}

void HAMIDASU_SUB(Integer object, Integer point, Array2<Single>& screenX, Array2<Single>& screenY,
                  Single anchorX, Single anchorY, Integer& clipped) {
  const Single storedX = screenX(object, point);
  const Single storedY = screenY(object, point);
  Single bx = storedX;
  Single by = storedY;
  const Single edge = static_cast<Single>(viewportLast);
  if (offViewport(anchorX) || offViewport(anchorY)) {
    bx = anchorX;
    by = anchorY;
  } else if (!offViewport(bx) && !offViewport(by)) {
    // Inside: the point stays.
  } else if (anchorX == bx) {
    by = by < anchorY ? 0.0f : edge;
  } else if (anchorY == by) {
    bx = bx < anchorX ? 0.0f : edge;
  } else {
    const Single slope = (by - anchorY) / (bx - anchorX);
    const Single offset = anchorY - slope * anchorX;
    bx = bx < anchorX ? 0.0f : edge;
    by = slope * bx + offset;
    if (by < 0.0f) {
      by = 0.0f;
      bx = (0.0f - offset) / slope;
    } else if (by > edge) {
      by = edge;
      bx = (edge - offset) / slope;
    }
  }
  if (clipped != 0) return;
  if (bx == storedX && by == storedY) return;
  clipped = 1;
  screenX(object, point) = bx;
  screenY(object, point) = by;
}

void SOUTO_SUB(Integer count, const Array<Double>& values, Array<Integer>& ranks) {
  // Counted loops run their body once before testing the bound.
  const long lastIndex = std::max<long>(count, 0);
  const long lastRank = std::max<long>(static_cast<long>(count) + 1, 1);
  Double largest = values(0);
  for (long i = 1; i <= lastIndex; ++i) {
    if (values(i) > largest) largest = values(i);
  }
  for (long k = 1; k <= lastRank; ++k) {
    Double best = largest + 1.0;
    long pick = -1;
    for (long i = 0; i <= lastIndex; ++i) {
      if (ranks(i) == 0 && values(i) < best) {
        best = values(i);
        pick = i;
      }
    }
    if (pick >= 0) ranks(pick) = nearest16(static_cast<double>(k));
  }
}

void KYORI_SUB(Double& distance, Double x1, Double y1, Double z1, Double x2, Double y2, Double z2) {
  const Double dx = x1 - x2;
  const Double dy = y1 - y2;
  const Double dz = z1 - z2;
  distance = std::floor(std::sqrt(dx * dx + dy * dy + dz * dz));
}

// --- readouts ---

namespace {

constexpr Integer glyphWidth = 6;
constexpr Integer glyphHeight = 8;
constexpr Integer barCellWidth = 3;
constexpr Integer barCells = 60;
constexpr Integer fullBarX = 80;
constexpr Integer emptyBarX = 83;

// `count` bar cells of 3 x 8 below the caption at (x, y); the first `full` are full cells.
std::vector<SheetCell> bar(Long count, Long full, Single x, Single y) {
  std::vector<SheetCell> cells;
  for (Long i = 0; i < count; ++i) {
    const Integer sheetX = i < full ? fullBarX : emptyBarX;
    cells.push_back({x + static_cast<Single>(barCellWidth * i), y + glyphHeight, sheetX, 0,
                     barCellWidth, glyphHeight});
  }
  return cells;
}

}  // namespace

SheetCell symbolCell(const Bytes& character, Single x, Single y) {
  const int c = host::firstCode(character);
  SheetCell cell{x, y, 0, glyphHeight, glyphWidth, glyphHeight};
  if (c >= '0' && c <= '9') {
    cell.sheetX = static_cast<Integer>(8 * (c - 48));
    cell.sheetY = 0;
  } else if (c >= 'A' && c <= 'Z') {
    cell.sheetX = static_cast<Integer>(8 * (c - 64));
    cell.sheetY = 8;
  } else if (c == '%') {
    cell.sheetX = 88;
    cell.sheetY = 0;
  }
  return cell;
}

std::vector<SheetCell> symbolText(const Bytes& text, Single x, Single y) {
  std::vector<SheetCell> cells;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const Integer left = nearest16(x + static_cast<Single>(glyphWidth * static_cast<int>(i)));
    cells.push_back(symbolCell(text.substr(i, 1), left, y));
  }
  return cells;
}

std::vector<SheetCell> shieldCells(Integer value, Single x, Single y) {
  const Bytes caption = "SHIELD" + host::numberText(host::intDivide(value, 12)) + "%";
  std::vector<SheetCell> cells = symbolText(caption, x, y);
  const std::vector<SheetCell> gauge = bar(barCells, host::intDivide(value, 20), x, y);
  cells.insert(cells.end(), gauge.begin(), gauge.end());
  return cells;
}

std::vector<SheetCell> damageCells(const Bytes& caption, Integer value, Single x, Single y) {
  std::vector<SheetCell> cells = symbolText(caption + host::numberText(value) + "S", x, y);
  // The counted loop draws cell 0 even when value \ 120 is below 0.
  const Long last = std::max<Long>(host::intDivide(value, 120), 0);
  const std::vector<SheetCell> gauge = bar(last + 1, 0, x, y);
  cells.insert(cells.end(), gauge.begin(), gauge.end());
  return cells;
}

void drawCells(const std::vector<SheetCell>& cells, const host::Surface& sheet,
               host::Surface& target) {
  for (const SheetCell& c : cells) {
    host::copyRect(target, c.x, c.y, c.width, c.height, sheet, c.sheetX, c.sheetY);
  }
}

void SYMBOL_SUB(const Bytes& character, Single x, Single y, const host::Surface& sheet,
                host::Surface& target) {
  drawCells({symbolCell(character, x, y)}, sheet, target);
}

void SYMBOL_SUB2(const Bytes& text, Single x, Single y, const host::Surface& sheet,
                 host::Surface& target) {
  drawCells(symbolText(text, x, y), sheet, target);
}

void SHIELD_SUB(Integer value, Single x, Single y, const host::Surface& sheet,
                host::Surface& target) {
  drawCells(shieldCells(value, x, y), sheet, target);
}

void SONGAI_SUB(const Bytes& caption, Integer value, Single x, Single y, const host::Surface& sheet,
                host::Surface& target) {
  drawCells(damageCells(caption, value, x, y), sheet, target);
}

std::vector<ReadoutLine> readoutLines(const Array<Double>& values, const Array<Double>& extra,
                                      const Array<Integer>& gameFlag) {
  std::array<Bytes, 10> t;
  for (int i = 0; i <= 9; ++i) t[i] = host::numberText(values(i));
  t[3] = host::numberText(std::floor(extra(0)));
  t[7] = host::numberText(std::floor(extra(1)));
  t[8] = host::numberText(std::floor(extra(2)));
  t[9] = host::numberText(std::floor(values(10)));
  std::size_t longest = 0;
  for (const Bytes& text : t) longest = std::max(longest, text.size());
  for (Bytes& text : t) text.insert(0, longest - text.size(), ' ');

  std::vector<ReadoutLine> lines{{0, " X" + t[0], 9},
                                 {16, " Y" + t[1], 9},
                                 {32, " Z" + t[2], 9},
                                 {48, "SP" + t[3] + "k/s", 9}};
  if ((gameFlag(992) & 1) == 0) {
    lines.push_back({80, " X" + t[4], 5});
    lines.push_back({96, " Y" + t[5], 5});
    lines.push_back({112, " Z" + t[6], 5});
    lines.push_back({128, "SP" + t[7] + "k/s", 5});
    lines.push_back({160, " D" + t[8] + "km", 13});
  }
  lines.push_back({176, " D" + t[9] + "km", 14});
  return lines;
}

void PRINT_SUB(const Array<Double>& values, const Array<Double>& extra,
               const Array<Integer>& gameFlag, host::Forms& forms, const host::Surface& panelTile,
               host::TextRenderer& text) {
  const host::Handle readout = forms.find(forms.mainForm(), "PICTURE2");
  const host::Handle display = forms.find(forms.mainForm(), "PICTURE1");
  forms.setSize(readout, readoutWidth, readoutHeight);
  host::Surface& panel = forms.surface(readout);
  host::stretchRect(panel, 0, 0, readoutWidth, readoutHeight, panelTile, 0, 0, 8, 8);
  const host::Control& box = forms.control(readout);
  const host::FontSpec font{box.fontName, box.fontSize};
  const std::uint32_t black = host::argbOf(host::indexedColour(0));
  for (const ReadoutLine& line : readoutLines(values, extra, gameFlag)) {
    text.draw(panel, font, 0, line.y, line.text, host::argbOf(host::indexedColour(line.colour)),
              black);
  }
  host::copyRect(forms.surface(display), readoutLeft, readoutTop, readoutWidth, readoutHeight,
                 panel, 0, 0);
}

}  // namespace zav3::combat
