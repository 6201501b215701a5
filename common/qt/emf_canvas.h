#pragma once
// The Canvas as an Enhanced Metafile, written through libEMF. One logical unit is one pixel of the
// picture; the frame says how large the picture is, so other programs place it at its size. Texts
// are measured with the screen's font metrics, as the window measures them, so labels sit where
// they sit on the screen; each text record carries its character advances, so a program that plays
// the metafile with other fonts still spaces the characters as we did.
//
// The metafile is built in memory; Finish() hands out its bytes, and nothing reaches the disk
// unless the caller writes them. Clipping is not recorded (the metafile library cannot express
// it); the viewer's picture does not clip.
#include <QFont>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "common/core/canvas.h"

namespace km {

class EmfCanvas : public Canvas {
 public:
  // size: the picture in pixels; caps: the device the picture stands for (normally the screen,
  // ScreenCaps()), whose logical resolution sizes the fonts.
  EmfCanvas(Size size, const DeviceCaps& caps);
  ~EmfCanvas() override;
  EmfCanvas(const EmfCanvas&) = delete;
  EmfCanvas& operator=(const EmfCanvas&) = delete;

  // False when the metafile could not be started (no memory); drawing then does nothing.
  bool IsOpen() const;
  // Ends the metafile and returns its bytes; nothing when it could not be completed. The canvas
  // draws nothing afterwards.
  std::optional<std::vector<uint8_t>> Finish();

  // The screen's resolution and colours, for a picture of the given size.
  static DeviceCaps ScreenCaps(Size size);

  DeviceCaps Caps() const override;
  void SetPen(const PenSpec& pen) override;
  void SetBrush(std::optional<Rgb> brush) override;
  void MoveTo(Point p) override;
  void LineTo(Point p) override;
  void Polyline(std::span<const Point> points) override;
  void Polygon(std::span<const Point> points) override;
  void Rectangle(const Rect& r) override;
  void FillRect(const Rect& r, Rgb color) override;
  void SetPixel(Point p, Rgb color) override;
  void SetClip(std::optional<Rect> clip) override;
  void SetFont(const FontSpec& font) override;
  void SetTextColor(Rgb color) override;
  void SetTextBackground(std::optional<Rgb> color) override;
  void SetTextAlign(unsigned flags) override;
  void TextOut(Point p, std::string_view text) override;
  Size TextExtent(std::string_view text) override;
  TextMetrics Metrics() override;

 private:
  struct Device;
  std::unique_ptr<Device> device_;
  DeviceCaps caps_;
  PenSpec pen_;
  std::optional<Rgb> brush_;
  FontSpec fontSpec_;
  QFont font_;  // the screen font the texts are measured with
};

}  // namespace km
