#pragma once
// The one drawing surface the plots, the waterfall and the axes are written against. Its model is the
// classic device context: a current pen and brush, a current position, aligned text with a rotated
// font. Implementations: QPainter (window, image, printer, PDF, SVG), enhanced metafiles, and a
// recording canvas in the tests.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace km {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  // The suite stores colours as 0x00BBGGRR.
  static constexpr Rgb FromColorRef(uint32_t c) {
    return {static_cast<uint8_t>(c & 0xFF), static_cast<uint8_t>((c >> 8) & 0xFF), static_cast<uint8_t>((c >> 16) & 0xFF)};
  }
  constexpr uint32_t ToColorRef() const { return r | (g << 8) | (static_cast<uint32_t>(b) << 16); }
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

struct Point {
  int x = 0, y = 0;
  friend constexpr bool operator==(Point, Point) = default;
};

struct Size {
  int cx = 0, cy = 0;
  friend constexpr bool operator==(Size, Size) = default;
};

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  friend constexpr bool operator==(Rect, Rect) = default;
};

struct PenSpec {
  Rgb color;
  int width = 1;        // pixels; 0 draws one pixel wide
  bool visible = true;  // false: the null pen (shapes are filled without an outline)
  friend bool operator==(const PenSpec&, const PenSpec&) = default;
};

struct FontSpec {
  std::string face = "Arial";
  int height = 0;      // pixels; negative: character height without internal leading, as logical fonts say
  int weight = 400;
  int escapement = 0;  // tenths of a degree, counter-clockwise
  bool italic = false;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Text alignment bits, as the classic device context numbers them.
namespace align {
inline constexpr unsigned Left = 0, Right = 2, Center = 6;
inline constexpr unsigned Top = 0, Bottom = 8, Baseline = 24;
}  // namespace align

struct TextMetrics {
  int height = 0, ascent = 0, descent = 0, averageWidth = 0;
};

// What the drawing code asks of the device.
struct DeviceCaps {
  int horzRes = 0, vertRes = 0;        // pixels
  int horzSizeMm = 0, vertSizeMm = 0;  // millimetres
  int logPixelsX = 96, logPixelsY = 96;
  int numColors = -1;                   // -1: more than 256
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual DeviceCaps Caps() const = 0;

  virtual void SetPen(const PenSpec& pen) = 0;
  virtual void SetBrush(std::optional<Rgb> brush) = 0;  // nothing: hollow
  virtual void MoveTo(Point p) = 0;
  virtual void LineTo(Point p) = 0;  // from the current position; the end pixel is not drawn
  virtual void Polyline(std::span<const Point> points) = 0;
  virtual void Polygon(std::span<const Point> points) = 0;  // closed, filled with the brush, outlined with the pen
  virtual void Rectangle(const Rect& r) = 0;                // outlined with the pen, filled with the brush
  virtual void FillRect(const Rect& r, Rgb color) = 0;      // no outline
  virtual void SetPixel(Point p, Rgb color) = 0;
  virtual void SetClip(std::optional<Rect> clip) = 0;       // nothing: no clipping

  virtual void SetFont(const FontSpec& font) = 0;
  virtual void SetTextColor(Rgb color) = 0;
  virtual void SetTextBackground(std::optional<Rgb> color) = 0;  // nothing: transparent
  virtual void SetTextAlign(unsigned flags) = 0;
  virtual void TextOut(Point p, std::string_view text) = 0;  // Windows-1252 text
  virtual Size TextExtent(std::string_view text) = 0;
  virtual TextMetrics Metrics() = 0;
};

}  // namespace km
