#pragma once
// Drawing straight into the 32-bit pixels of an image, for the shapes a general painter draws far
// slower than they need: the outlines and areas of long curves. Solid colours, no antialiasing,
// one-pixel lines. Everything is clipped to the surface's clip rectangle, whatever the coordinates
// (far outside, near the limits of int): nothing is written outside it.
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/core/canvas.h"

namespace km {

// Rows of 32-bit pixels; stride is the distance between rows in pixels. The clip rectangle must lie
// within 0..width and 0..height (ClipTo keeps it so).
struct PixelSurface {
  uint32_t* bits = nullptr;
  int width = 0, height = 0;
  ptrdiff_t stride = 0;
  Rect clip;

  PixelSurface() = default;
  PixelSurface(uint32_t* pixels, int w, int h, ptrdiff_t rowPixels)
      : bits(pixels), width(w), height(h), stride(rowPixels), clip{0, 0, w, h} {}
  // Narrows the clip rectangle to r (never beyond the surface).
  void ClipTo(const Rect& r);
};

// A one-pixel line between two points, as the raster painter draws a cosmetic pen with flat caps:
// a pixel at every step along its longer axis from the end with the smaller coordinate there up to,
// not including, the other end; across, the pixel the line passes about half a step further on.
// The same pixels whichever end it is drawn from.
void DrawLine(const PixelSurface& surface, Point from, Point to, uint32_t colour);

// The closed outline of a polygon: a line from each point to the next and from the last to the
// first, and every point's own pixel.
void DrawClosedOutline(const PixelSurface& surface, std::span<const Point> points, uint32_t colour);

// The outline of the area between a curve and its base line: it starts and ends on the base line,
// no point lies below it, and x never decreases along the points.
bool IsAreaUnderCurve(std::span<const Point> points);

// Fills such an area: the pixels whose centres lie above the base line and below the curve. The
// segment between two points covers the pixel columns from the first point's x up to the second's; in
// each, the curve's height at the column's centre gives the first pixel filled. A pixel whose centre
// lies exactly on the curve is left out; an outline drawn over the area covers it anyway.
void FillAreaUnderCurve(const PixelSurface& surface, std::span<const Point> points, uint32_t colour);

}  // namespace km
