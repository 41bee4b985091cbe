// Drawing on surfaces: colours, rectangle copies, lines, boxes and circles.
#include "host/drawing.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <utility>
#include <vector>

#include "host/error.hpp"
#include "host/numbers.hpp"

namespace zav3::host {

namespace {

using I64 = std::int64_t;
using Wide = __int128;  // products of two pixel spans, which may exceed 64 bits

constexpr GameColour standardColours[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

constexpr double largestRadius = 4194304.0;

inline I64 px(double v, std::source_location where) {
  return toLong(v, where);
}

inline void plot(Surface& s, int x, int y, const Pen& pen) {
  std::uint32_t& p = s.row(y)[x];
  if (pen.mode == DrawMode::exclusiveOr)
    p ^= pen.argb & 0x00FFFFFFu;
  else
    p = pen.argb;
}

inline bool patternBit(const Pen& pen, I64 n) {
  return (pen.pattern >> (15 - n % 16)) & 1;
}

// Calls fn(x, y, n) for each pixel of the line from (x1, y1) to (x2, y2) that lies inside a
// width x height area, n being the pixel's step from the first point. Only the steps whose
// longer-axis coordinate is inside the area are visited.
template <typename Fn>
void forEachLinePixel(I64 x1, I64 y1, I64 x2, I64 y2, int width, int height, Fn fn) {
  const I64 dx = x2 - x1, dy = y2 - y1;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  // Work along the major axis "u" with the minor axis "v".
  const I64 u1 = xMajor ? x1 : y1, v1 = xMajor ? y1 : x1;
  const I64 du = xMajor ? dx : dy, dv = xMajor ? dy : dx;
  const I64 uLimit = xMajor ? width : height, vLimit = xMajor ? height : width;
  const I64 steps = std::llabs(du), minor = std::llabs(dv);
  const I64 su = du < 0 ? -1 : 1, sv = dv < 0 ? -1 : 1;
  // Steps n with u1 + su * n inside 0..uLimit-1.
  I64 lo, hi;
  if (su > 0) {
    lo = -u1;
    hi = uLimit - 1 - u1;
  } else {
    lo = u1 - (uLimit - 1);
    hi = u1;
  }
  lo = std::max<I64>(lo, 0);
  hi = std::min<I64>(hi, steps);
  for (I64 n = lo; n <= hi; ++n) {
    I64 offset =
        steps == 0 ? 0 : static_cast<I64>((Wide{2} * n * minor + steps) / (Wide{2} * steps));
    I64 u = u1 + su * n, v = v1 + sv * offset;
    if (v < 0 || v >= vLimit) continue;
    if (xMajor)
      fn(static_cast<int>(u), static_cast<int>(v), n);
    else
      fn(static_cast<int>(v), static_cast<int>(u), n);
  }
}

void plotLine(Surface& s, I64 x1, I64 y1, I64 x2, I64 y2, const Pen& pen) {
  forEachLinePixel(x1, y1, x2, y2, s.width(), s.height(), [&](int x, int y, I64 n) {
    if (patternBit(pen, n)) plot(s, x, y, pen);
  });
}

// A horizontal run y, x1..x2 (x1 <= x2), clipped.
void plotRow(Surface& s, I64 y, I64 x1, I64 x2, const Pen& pen, bool usePattern) {
  if (y < 0 || y >= s.height()) return;
  I64 from = std::max<I64>(x1, 0), to = std::min<I64>(x2, s.width() - 1);
  for (I64 x = from; x <= to; ++x)
    if (!usePattern || patternBit(pen, x - x1))
      plot(s, static_cast<int>(x), static_cast<int>(y), pen);
}

void plotColumn(Surface& s, I64 x, I64 y1, I64 y2, const Pen& pen) {
  if (x < 0 || x >= s.width()) return;
  I64 from = std::max<I64>(y1, 0), to = std::min<I64>(y2, s.height() - 1);
  for (I64 y = from; y <= to; ++y)
    if (patternBit(pen, y - y1)) plot(s, static_cast<int>(x), static_cast<int>(y), pen);
}

void plotBox(Surface& s, I64 x1, I64 y1, I64 x2, I64 y2, const Pen& pen) {
  I64 left = std::min(x1, x2), right = std::max(x1, x2);
  I64 top = std::min(y1, y2), bottom = std::max(y1, y2);
  plotRow(s, top, left, right, pen, true);
  if (bottom != top) plotRow(s, bottom, left, right, pen, true);
  if (bottom - top >= 2) {
    plotColumn(s, left, top + 1, bottom - 1, pen);
    if (right != left) plotColumn(s, right, top + 1, bottom - 1, pen);
  }
}

void plotFilledBox(Surface& s, I64 x1, I64 y1, I64 x2, I64 y2, const Pen& pen,
                   std::uint32_t fillArgb) {
  plotBox(s, x1, y1, x2, y2, pen);
  I64 left = std::min(x1, x2), right = std::max(x1, x2);
  I64 top = std::min(y1, y2), bottom = std::max(y1, y2);
  if (right - left < 2 || bottom - top < 2) return;
  Pen fill = pen;
  fill.argb = fillArgb;
  I64 from = std::max<I64>(top + 1, 0), to = std::min<I64>(bottom - 1, s.height() - 1);
  for (I64 y = from; y <= to; ++y) plotRow(s, y, left + 1, right - 1, fill, false);
}

// The source coordinate of target step i along one axis of a stretch.
struct StretchAxis {
  I64 target, targetSpan, source, sourceSpan;
  int targetLimit, sourceLimit;

  // Source coordinate for target coordinate t, or -1 when outside either surface or rectangle.
  I64 sourceOf(I64 t) const {
    I64 i = targetSpan > 0 ? t - target : target - 1 - t;
    I64 n = std::llabs(targetSpan);
    if (i < 0 || i >= n) return -1;
    I64 j = static_cast<I64>((Wide{2} * i + 1) * std::llabs(sourceSpan) / (Wide{2} * n));
    I64 s = sourceSpan > 0 ? source + j : source - 1 - j;
    return (s >= 0 && s < sourceLimit) ? s : -1;
  }
  // Visible target range.
  std::pair<I64, I64> range() const {
    I64 lo = targetSpan > 0 ? target : target + targetSpan;
    I64 hi = lo + std::llabs(targetSpan) - 1;
    return {std::max<I64>(lo, 0), std::min<I64>(hi, targetLimit - 1)};
  }
};

void copyPixels(Surface& dst, I64 dx, I64 dy, I64 w, I64 h, const Surface& src, I64 sx, I64 sy) {
  if (w <= 0 || h <= 0) return;
  I64 skipX = std::max<I64>({0, -dx, -sx}), skipY = std::max<I64>({0, -dy, -sy});
  dx += skipX;
  sx += skipX;
  w -= skipX;
  dy += skipY;
  sy += skipY;
  h -= skipY;
  w = std::min<I64>({w, dst.width() - dx, src.width() - sx});
  h = std::min<I64>({h, dst.height() - dy, src.height() - sy});
  if (w <= 0 || h <= 0) return;
  const std::size_t bytes = static_cast<std::size_t>(w) * sizeof(std::uint32_t);
  auto copyRow = [&](I64 r) {
    std::memmove(dst.row(static_cast<int>(dy + r)) + dx, src.row(static_cast<int>(sy + r)) + sx,
                 bytes);
  };
  if (&dst == &src && dy > sy) {
    for (I64 r = h - 1; r >= 0; --r) copyRow(r);
  } else {
    for (I64 r = 0; r < h; ++r) copyRow(r);
  }
}

double normalAngle(double a) {
  constexpr double turn = 2 * std::numbers::pi;
  return std::fmod(std::fabs(a), turn);
}

}  // namespace

GameColour indexedColour(double index, std::source_location where) {
  Long i = toLong(index, where);
  if (i < 0 || i > 15) raise(err::illegalCall, where);
  return standardColours[i];
}

GameColour rgb(double r, double g, double b, std::source_location where) {
  Long c[3] = {toLong(r, where), toLong(g, where), toLong(b, where)};
  for (Long v : c)
    if (v < 0 || v > 255) raise(err::illegalCall, where);
  return static_cast<GameColour>(c[0] + 256 * c[1] + 65536 * c[2]);
}

std::uint32_t pixelColour(double value, bool indexed, std::source_location where) {
  if (indexed) return argbOf(indexedColour(value, where));
  Long v = toLong(value, where);
  if (v < 0 || v > 0xFFFFFF) raise(err::illegalCall, where);
  return argbOf(static_cast<GameColour>(v));
}

DrawMode drawModeOf(long mode, std::source_location where) {
  if (mode == 3) return DrawMode::copy;
  if (mode == 7) return DrawMode::exclusiveOr;
  raise(err::illegalCall, where);
}

void clear(Surface& surface, std::uint32_t backArgb) {
  surface.fill(backArgb);
}

void drawBitmap(Surface& target, const Surface& source, double x, double y,
                std::source_location where) {
  copyPixels(target, px(x, where), px(y, where), source.width(), source.height(), source, 0, 0);
}

void copyRect(Surface& target, double dx, double dy, double width, double height,
              const Surface& source, double sx, double sy, std::source_location where) {
  copyPixels(target, px(dx, where), px(dy, where), px(width, where), px(height, where), source,
             px(sx, where), px(sy, where));
}

void stretchRect(Surface& target, double dx, double dy, double dWidth, double dHeight,
                 const Surface& source, double sx, double sy, double sWidth, double sHeight,
                 std::source_location where) {
  StretchAxis ax{px(dx, where),     px(dWidth, where), px(sx, where),
                 px(sWidth, where), target.width(),    source.width()};
  StretchAxis ay{px(dy, where),      px(dHeight, where), px(sy, where),
                 px(sHeight, where), target.height(),    source.height()};
  if (ax.targetSpan == 0 || ay.targetSpan == 0 || ax.sourceSpan == 0 || ay.sourceSpan == 0) return;
  auto [x0, x1] = ax.range();
  auto [y0, y1] = ay.range();
  if (x0 > x1 || y0 > y1) return;
  Surface copy;
  const Surface* src = &source;
  if (&target == &source) {
    copy = source;
    src = &copy;
  }
  std::vector<I64> columns(static_cast<std::size_t>(x1 - x0 + 1));
  for (I64 x = x0; x <= x1; ++x) columns[x - x0] = ax.sourceOf(x);
  for (I64 y = y0; y <= y1; ++y) {
    I64 srcY = ay.sourceOf(y);
    if (srcY < 0) continue;
    const std::uint32_t* from = src->row(static_cast<int>(srcY));
    std::uint32_t* to = target.row(static_cast<int>(y));
    for (I64 x = x0; x <= x1; ++x) {
      I64 srcX = columns[x - x0];
      if (srcX >= 0) to[x] = from[srcX];
    }
  }
}

void drawPoint(Surface& surface, double x, double y, const Pen& pen, std::source_location where) {
  I64 ix = px(x, where), iy = px(y, where);
  if (ix >= 0 && iy >= 0 && ix < surface.width() && iy < surface.height())
    plot(surface, static_cast<int>(ix), static_cast<int>(iy), pen);
}

void drawLine(Surface& surface, double x1, double y1, double x2, double y2, const Pen& pen,
              std::source_location where) {
  plotLine(surface, px(x1, where), px(y1, where), px(x2, where), px(y2, where), pen);
}

void drawBox(Surface& surface, double x1, double y1, double x2, double y2, const Pen& pen,
             std::source_location where) {
  plotBox(surface, px(x1, where), px(y1, where), px(x2, where), px(y2, where), pen);
}

void fillBox(Surface& surface, double x1, double y1, double x2, double y2, const Pen& pen,
             std::uint32_t fillArgb, std::source_location where) {
  plotFilledBox(surface, px(x1, where), px(y1, where), px(x2, where), px(y2, where), pen, fillArgb);
}

void lineOrBox(Surface& surface, const LineOrBox& f, std::source_location where) {
  if (f.shape < 0 || f.shape > 2) raise(err::illegalCall, where);
  Pen pen{f.argb, drawModeOf(f.mode, where), static_cast<std::uint16_t>(f.pattern & 0xFFFF)};
  I64 x1 = px(f.x1, where), y1 = px(f.y1, where);
  I64 x2 = px(f.x2, where), y2 = px(f.y2, where);
  if (f.relative) {
    x2 += x1;
    y2 += y1;
  }
  switch (f.shape) {
    case 0:
      plotLine(surface, x1, y1, x2, y2, pen);
      break;
    case 1:
      plotBox(surface, x1, y1, x2, y2, pen);
      break;
    default:
      plotFilledBox(surface, x1, y1, x2, y2, pen, f.fillArgb);
      break;
  }
}

void drawCircle(Surface& surface, double x, double y, double radius, const Pen& pen,
                const CircleOptions& options, std::source_location where) {
  const I64 cx = px(x, where), cy = px(y, where);
  const double r = std::fabs(radius), aspect = std::fabs(options.aspect);
  const double rxExact = aspect <= 1 ? r : r / aspect;
  const double ryExact = aspect <= 1 ? r * aspect : r;
  if (!(rxExact <= largestRadius && ryExact <= largestRadius)) return;  // NaN too
  const I64 rx = px(rxExact, where), ry = px(ryExact, where);
  const int width = surface.width(), height = surface.height();

  // Arc limits.
  const bool whole = !options.start && !options.end;
  const double start = normalAngle(options.start.value_or(0.0));
  const double end = normalAngle(options.end.value_or(2 * std::numbers::pi));
  constexpr double turn = 2 * std::numbers::pi;
  double sweep = end - start;
  if (sweep < 0) sweep += turn;
  const bool fullFigure = whole || sweep == 0;
  const double slack = 0.5 / static_cast<double>(std::max<I64>({rx, ry, 1}));
  auto onArc = [&](I64 ox, I64 oy) {
    if (fullFigure) return true;
    double a = std::atan2(rx && ry ? static_cast<double>(-oy) / ry : static_cast<double>(-oy),
                          rx && ry ? static_cast<double>(ox) / rx : static_cast<double>(ox));
    double fromStart = a - start;
    fromStart -= turn * std::floor(fromStart / turn);
    return fromStart <= sweep + slack || fromStart >= turn - slack;
  };

  std::vector<std::pair<int, int>> pixels;  // (y, x) of visible pixels
  auto add = [&](I64 ox, I64 oy) {
    I64 tx = cx + ox, ty = cy + oy;
    if (tx < 0 || ty < 0 || tx >= width || ty >= height) return;
    if (!onArc(ox, oy)) return;
    pixels.emplace_back(static_cast<int>(ty), static_cast<int>(tx));
  };
  auto add4 = [&](I64 ox, I64 oy) {
    add(ox, oy);
    add(-ox, oy);
    add(ox, -oy);
    add(-ox, -oy);
  };

  if (rx == 0 || ry == 0) {
    // Degenerate: a straight stroke (or the centre point).
    for (I64 i = -rx; i <= rx; ++i)
      for (I64 j = -ry; j <= ry; ++j) add(i, j);
  } else if (rx == ry) {
    // Midpoint circle, eight-fold symmetric.
    I64 ox = rx, oy = 0, err = 1 - rx;
    while (ox >= oy) {
      add4(ox, oy);
      add4(oy, ox);
      ++oy;
      if (err < 0) {
        err += 2 * oy + 1;
      } else {
        --ox;
        err += 2 * (oy - ox) + 1;
      }
    }
  } else {
    // Midpoint ellipse: first where the slope is steeper than -1, then the flatter part.
    const Wide a2 = Wide{rx} * rx, b2 = Wide{ry} * ry;
    const Wide twoA2 = 2 * a2, twoB2 = 2 * b2;
    I64 ox = rx, oy = 0;
    Wide xChange = b2 * (1 - 2 * rx), yChange = a2, error = 0;
    Wide stopX = twoB2 * rx, stopY = 0;
    while (stopX >= stopY) {
      add4(ox, oy);
      ++oy;
      stopY += twoA2;
      error += yChange;
      yChange += twoA2;
      if (2 * error + xChange > 0) {
        --ox;
        stopX -= twoB2;
        error += xChange;
        xChange += twoB2;
      }
    }
    ox = 0;
    oy = ry;
    xChange = b2;
    yChange = a2 * (1 - 2 * ry);
    error = 0;
    stopX = 0;
    stopY = twoA2 * ry;
    while (stopX <= stopY) {
      add4(ox, oy);
      ++ox;
      stopX += twoB2;
      error += xChange;
      xChange += twoB2;
      if (2 * error + yChange > 0) {
        --oy;
        stopY -= twoA2;
        error += yChange;
        yChange += twoA2;
      }
    }
  }

  // Radius lines for negative angles.
  auto radiusLine = [&](double angle) {
    I64 ex = cx + static_cast<I64>(std::llround(rxExact * std::cos(angle)));
    I64 ey = cy - static_cast<I64>(std::llround(ryExact * std::sin(angle)));
    forEachLinePixel(cx, cy, ex, ey, width, height,
                     [&](int lx, int ly, I64) { pixels.emplace_back(ly, lx); });
  };
  const bool startLine = options.start && *options.start < 0;
  const bool endLine = options.end && *options.end < 0;
  if (startLine) radiusLine(start);
  if (endLine) radiusLine(end);

  // The symmetric halves meet on the axes and diagonals; draw every pixel once.
  std::sort(pixels.begin(), pixels.end());
  pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
  for (auto [ty, tx] : pixels) plot(surface, tx, ty, pen);
}

}  // namespace zav3::host
