// Lines and curve areas drawn straight into pixels: one pixel per step, the same pixels either way
// along a line, and never a pixel written outside the clip, whatever the coordinates.
#include "common/core/pixel_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <random>
#include <vector>

namespace km {
namespace {

constexpr uint32_t kInk = 0xFF102030u;

// A surface inside a frame of guard pixels that must stay untouched.
struct Guarded {
  Guarded(int w, int h, int guard = 3)
      : w_(w), h_(h), g_(guard), stride_(w + 2 * guard), pixels(static_cast<size_t>(stride_) * (h + 2 * guard), 0) {}
  PixelSurface Surface() { return PixelSurface(pixels.data() + g_ * stride_ + g_, w_, h_, stride_); }
  bool Set(int x, int y) const { return pixels[static_cast<size_t>((y + g_) * stride_ + x + g_)] == kInk; }
  // Only ink is ever drawn: every pixel not zero must be one of the surface's own.
  bool GuardsClean() const {
    return std::count_if(pixels.begin(), pixels.end(), [](uint32_t p) { return p != 0; }) == Count();
  }
  int Count() const {
    int n = 0;
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) n += Set(x, y);
    return n;
  }
  int w_, h_, g_, stride_;
  std::vector<uint32_t> pixels;
};

TEST(PixelDrawing, LinesTakeOnePixelPerStepAndTheSamePixelsEitherWay) {
  std::mt19937 random(3);
  std::uniform_int_distribution<int> coordinate(0, 99);
  for (int k = 0; k < 500; ++k) {
    const Point a{coordinate(random), coordinate(random)}, b{coordinate(random), coordinate(random)};
    Guarded forth(100, 100), back(100, 100);
    DrawLine(forth.Surface(), a, b, kInk);
    DrawLine(back.Surface(), b, a, kInk);
    const int dx = std::abs(b.x - a.x), dy = std::abs(b.y - a.y), steps = std::max(dx, dy);
    ASSERT_EQ(forth.Count(), steps) << a.x << "," << a.y << " to " << b.x << "," << b.y;
    if (steps == 0) continue;
    // The end with the smaller coordinate along the longer axis is drawn, the other left out.
    const bool aFirst = dx >= dy ? a.x < b.x : a.y < b.y;
    const Point drawn = aFirst ? a : b, left = aFirst ? b : a;
    EXPECT_TRUE(forth.Set(drawn.x, drawn.y) && !forth.Set(left.x, left.y));
    ASSERT_TRUE(forth.pixels == back.pixels) << a.x << "," << a.y << " to " << b.x << "," << b.y;
  }
}

TEST(PixelDrawing, ClippedLinesKeepTheirPixelsInsideTheClip) {
  std::mt19937 random(5);
  std::uniform_int_distribution<int> coordinate(-3000, 3000);
  const Rect clip{20, 30, 150, 90};
  for (int k = 0; k < 300; ++k) {
    const Point a{coordinate(random), coordinate(random) / 10}, b{coordinate(random), coordinate(random)};
    Guarded whole(200, 120), clipped(200, 120);
    DrawLine(whole.Surface(), a, b, kInk);
    PixelSurface surface = clipped.Surface();
    surface.ClipTo(clip);
    DrawLine(surface, a, b, kInk);
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 200; ++x) {
        const bool inside = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
        ASSERT_EQ(clipped.Set(x, y), inside && whole.Set(x, y)) << x << "," << y;
      }
    ASSERT_TRUE(whole.GuardsClean() && clipped.GuardsClean());
  }
}

// Two points are a line; more (or fewer) a curve whose area is filled, when it is one, and outlined.
TEST(PixelDrawing, HostileCoordinatesNeverWriteOutsideTheSurface) {
  struct Case {
    const char* name;
    bool curve;
    std::vector<Point> points;
    int pixels;  // expected count; -1: any
  };
  const Case cases[] = {
      {"corner to corner of int", false, {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}}, -1},
      {"back again", false, {{INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}}, -1},
      {"across a row", false, {{INT_MIN, 5}, {INT_MAX, 5}}, 64},
      {"down a column", false, {{7, INT_MAX}, {7, INT_MIN}}, 48},
      {"steep from inside to far away", false, {{10, 10}, {11, INT_MIN}}, -1},
      {"flat from inside to far away", false, {{10, 10}, {INT_MAX, 9}}, -1},
      {"beside the surface", false, {{-1000000, -5}, {1000000, -1}}, 0},
      {"below the surface", false, {{INT_MIN, 48}, {INT_MAX, INT_MAX}}, 0},
      {"just off the right edge", false, {{64, 0}, {64, 47}}, 0},
      {"zero length inside", false, {{20, 20}, {20, 20}}, 0},
      {"zero length outside", false, {{INT_MIN, INT_MAX}, {INT_MIN, INT_MAX}}, 0},
      {"no points", true, {}, 0},
      {"one point", true, {{10, 40}}, 1},
      {"one point repeated", true, {{10, 40}, {10, 40}, {10, 40}}, 1},
      {"peak far above, base below", true, {{0, 1000}, {32, INT_MIN}, {63, 1000}, {63, 1000}}, -1},
      {"over the whole width of int", true, {{INT_MIN, 47}, {INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MAX, 47}}, 64 * 48},
      {"far to the left", true, {{-900000, 40}, {-800000, 0}, {-700000, 40}}, 0},
      {"far to the right", true, {{900000, 40}, {950000, -7}, {990000, 40}}, 0},
      {"base above the surface", true, {{0, -10}, {30, -500}, {60, -10}}, 0},
      {"points stacked in one column", true, {{5, 40}, {5, 2}, {5, 30}, {5, -9000}, {5, 40}}, 41},
  };
  for (const Case& c : cases) {
    Guarded g(64, 48);
    if (!c.curve) DrawLine(g.Surface(), c.points[0], c.points[1], kInk);
    if (c.curve && (IsAreaUnderCurve(c.points) || c.points.size() < 2)) FillAreaUnderCurve(g.Surface(), c.points, kInk);
    if (c.curve) DrawClosedOutline(g.Surface(), c.points, kInk);
    EXPECT_TRUE(g.GuardsClean()) << c.name;
    EXPECT_TRUE(c.pixels < 0 || g.Count() == c.pixels) << c.name << ": " << g.Count();
  }
}

TEST(PixelDrawing, ClipOutsideTheSurfaceDrawsNothing) {
  const Rect clips[] = {{-50, -50, -1, -1}, {70, 0, 90, 48}, {30, 30, 10, 10}, {INT_MIN, INT_MIN, INT_MIN, INT_MAX}};
  Guarded g(64, 48);
  for (const Rect& clip : clips) {
    PixelSurface s = g.Surface();
    s.ClipTo(clip);
    DrawLine(s, {-100, -100}, {200, 200}, kInk);
    FillAreaUnderCurve(s, std::vector<Point>{{0, 47}, {0, 0}, {63, 0}, {63, 47}}, kInk);
    EXPECT_TRUE(g.Count() == 0 && g.GuardsClean()) << clip.left << "," << clip.top;
  }
}

}  // namespace
}  // namespace km
