#include "common/core/pixel_drawing.h"

#include <algorithm>
#include <cstdlib>

namespace km {
namespace {

// Products of two coordinate differences need up to 66 bits; only the first pixel of a line and the
// columns of absurdly placed curves compute in this width.
__extension__ typedef __int128 Wide;

int64_t FloorDiv(Wide n, int64_t d) {  // d > 0
  Wide q = n / d;
  if (n % d != 0 && n < 0) --q;
  return static_cast<int64_t>(q);
}

int64_t FloorDiv(int64_t n, int64_t d) {  // d > 0
  const int64_t q = n / d;
  return (n % d != 0 && n < 0) ? q - 1 : q;
}

constexpr int64_t kSmall = int64_t{1} << 28;

}  // namespace

void PixelSurface::ClipTo(const Rect& r) {
  clip.left = std::clamp(std::max(clip.left, r.left), 0, width);
  clip.top = std::clamp(std::max(clip.top, r.top), 0, height);
  clip.right = std::clamp(std::min(clip.right, r.right), clip.left, width);
  clip.bottom = std::clamp(std::min(clip.bottom, r.bottom), clip.top, height);
}

void DrawLine(const PixelSurface& s, Point from, Point to, uint32_t colour) {
  if (from == to || s.clip.left >= s.clip.right || s.clip.top >= s.clip.bottom) return;
  if (std::max(from.x, to.x) < s.clip.left || std::min(from.x, to.x) >= s.clip.right ||
      std::max(from.y, to.y) < s.clip.top || std::min(from.y, to.y) >= s.clip.bottom)
    return;
  if (from.x == to.x) {  // a column's rise or fall, most lines of a long curve's outline
    const int top = std::max(std::min(from.y, to.y), s.clip.top), bottom = std::min(std::max(from.y, to.y), s.clip.bottom);
    for (ptrdiff_t y = top; y < bottom; ++y) s.bits[y * s.stride + from.x] = colour;
    return;
  }
  if (from.y == to.y) {
    const int left = std::max(std::min(from.x, to.x), s.clip.left), right = std::min(std::max(from.x, to.x), s.clip.right);
    std::fill(s.bits + static_cast<ptrdiff_t>(from.y) * s.stride + left,
              s.bits + static_cast<ptrdiff_t>(from.y) * s.stride + right, colour);
    return;
  }
  int64_t dx = int64_t{to.x} - from.x, dy = int64_t{to.y} - from.y;
  // The line runs along its longer axis, one pixel per step, from its end with the smaller
  // coordinate there; the other coordinate follows.
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const bool reversed = (xMajor ? dx : dy) < 0;
  const Point start = reversed ? to : from;
  if (reversed) {
    dx = -dx;
    dy = -dy;
  }
  const int64_t a0 = xMajor ? start.x : start.y, b0 = xMajor ? start.y : start.x;
  const int64_t da = xMajor ? dx : dy, db = xMajor ? dy : dx;
  const int64_t aLo = xMajor ? s.clip.left : s.clip.top, aHi = xMajor ? s.clip.right : s.clip.bottom;
  const int64_t bLo = xMajor ? s.clip.top : s.clip.left, bHi = xMajor ? s.clip.bottom : s.clip.right;
  const ptrdiff_t aStep = xMajor ? 1 : s.stride, bStep = xMajor ? s.stride : 1;
  const int64_t first = std::max(a0, aLo), last = std::min(a0 + da, aHi) - 1;
  if (first > last) return;
  // At step t the line is at b0 + (t - a0) db / da across. The pixel taken is that position a
  // little ahead along the line, rounded down: 31/64 of a step ahead where the line runs towards
  // larger coordinates, 1/64 of a step behind where it runs towards smaller ones, as the raster
  // painter's fixed-point stepping does. Kept as quotient q and remainder r of that division.
  const int64_t den = 64 * da, step = 64 * db, ahead = db > 0 ? 31 : -1;
  int64_t q = 0, r = 0;
  if (first == a0) {  // |ahead db| < den: no division needed
    const int64_t n = ahead * db;
    q = n < 0 ? -1 : 0;
    r = n - q * den;
  } else if (first - a0 < kSmall && da < kSmall) {  // every coordinate within reason: 64 bits suffice
    const int64_t n = (64 * (first - a0) + ahead) * db;
    q = FloorDiv(n, den);
    r = n - q * den;
  } else {
    const Wide n = Wide{64 * (first - a0) + ahead} * db;
    q = FloorDiv(n, den);
    r = static_cast<int64_t>(n - Wide{q} * den);
  }
  for (int64_t t = first; t <= last; ++t) {
    const int64_t b = b0 + q;
    if (b >= bLo && b < bHi) {
      s.bits[t * aStep + b * bStep] = colour;
    } else if ((db > 0 && b >= bHi) || (db < 0 && b < bLo)) {
      break;  // left the clip rectangle for good
    }
    r += step;
    if (r >= den) {
      r -= den;
      ++q;
    } else if (r < 0) {
      r += den;
      --q;
    }
  }
}

void DrawClosedOutline(const PixelSurface& s, std::span<const Point> p, uint32_t colour) {
  const Rect& c = s.clip;
  const size_t n = p.size();
  for (size_t i = 0; i < n;) {
    // Points on one column, many in a long curve's outline: their lines and the points themselves
    // cover the column from the highest to the lowest, drawn once. Every point's own pixel is drawn,
    // also where both its lines leave it out (the bottom of a valley); the painter covers it too.
    size_t end = i + 1;
    int top = p[i].y, bottom = p[i].y;
    for (; end < n && p[end].x == p[i].x; ++end) {
      top = std::min(top, p[end].y);
      bottom = std::max(bottom, p[end].y);
    }
    if (p[i].x >= c.left && p[i].x < c.right) {
      const int64_t first = std::max(top, c.top), last = std::min<int64_t>(int64_t{bottom} + 1, c.bottom);
      for (int64_t y = first; y < last; ++y) s.bits[y * s.stride + p[i].x] = colour;
    }
    DrawLine(s, p[end - 1], p[end < n ? end : 0], colour);
    i = end;
  }
}

bool IsAreaUnderCurve(std::span<const Point> p) {
  if (p.empty()) return false;
  const int base = p.front().y;
  if (p.back().y != base) return false;
  for (size_t k = 0; k < p.size(); ++k) {
    if (p[k].y > base) return false;
    if (k > 0 && p[k].x < p[k - 1].x) return false;
  }
  return true;
}

void FillAreaUnderCurve(const PixelSurface& s, std::span<const Point> p, uint32_t colour) {
  if (p.empty()) return;
  const int64_t base = std::min(p.front().y, s.clip.bottom);
  auto column = [&](int64_t px, int64_t top) {
    for (int64_t row = std::max<int64_t>(top, s.clip.top); row < base; ++row) s.bits[row * s.stride + px] = colour;
  };
  for (size_t i = 0; i + 1 < p.size(); ++i) {
    const int64_t x0 = p[i].x, y0 = p[i].y, x1 = p[i + 1].x, y1 = p[i + 1].y;
    const int64_t begin = std::max<int64_t>(x0, s.clip.left), end = std::min<int64_t>(x1, s.clip.right);
    if (begin >= end) continue;
    // The curve at a column's centre is at n / 2w with n = 2 y0 w + (y1 - y0)(2 (px - x0) + 1); the
    // first row below it is the smallest whose centre (2 row + 1) / 2 lies below that:
    // floor((n - w) / 2w) + 1.
    const int64_t w = x1 - x0, dy = y1 - y0;
    if (std::llabs(y0) < kSmall && std::llabs(y1) < kSmall && w < kSmall) {
      // Column by column, as quotient and remainder of that division.
      const int64_t den = 2 * w;
      const int64_t v = 2 * y0 * w + dy * (2 * (begin - x0) + 1) - w;
      int64_t q = w == 1 ? v >> 1 : FloorDiv(v, den);
      int64_t r = v - q * den;
      const int64_t stepQ = FloorDiv(2 * dy, den), stepR = 2 * dy - stepQ * den;
      for (int64_t px = begin; px < end; ++px) {
        column(px, q + 1);
        q += stepQ;
        r += stepR;
        if (r >= den) {
          r -= den;
          ++q;
        }
      }
    } else {
      for (int64_t px = begin; px < end; ++px)
        column(px, FloorDiv(Wide{2} * y0 * w + Wide{dy} * (2 * (px - x0) + 1) - w, 2 * w) + 1);
    }
  }
}

}  // namespace km
