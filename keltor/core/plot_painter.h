#pragma once
// Draws one plot described by a PlotSettings record on a canvas: the frame with its axes, ticks,
// labels and titles, and the curve of one range.
#include "common/core/canvas.h"
#include "keltor/core/plot_settings.h"

namespace keltor {

class PlotPainter {
 public:
  // font: the plot font, already chosen for the device (its height in device pixels).
  PlotPainter(PlotSettings& settings, km::Canvas& canvas, km::FontSpec font);

  // Fills the plot, lays out Inner, chooses the ticks and draws axes, ticks, labels and titles.
  void DrawFrame();
  // Draws the settings' range (PointCount values from Begin by Step) in CurveColor.
  void DrawCurve();

  // The dense method (one vertical stroke per pixel column) serves ranges with more than one value
  // per column; the others are drawn as lines from value to value.
  bool UsesDenseMethod() const;

  // Pixel column of an X value and row of a Y value inside Inner.
  int Column(double x) const;
  int Row(double y) const;

  int HorzPixelsPerMm() const { return hppmm_; }
  int VertPixelsPerMm() const { return vppmm_; }
  int MmToPixels(double mm) const;  // horizontally
  // Recomputes the scales for the settings' Inner and extents (after a caller changed them).
  void ComputeScales();

 private:
  void DrawDense();
  void DrawLines();
  int LabelWidth(double value, const std::string& format);

  PlotSettings& s_;
  km::Canvas& canvas_;
  km::FontSpec font_;
  int hppmm_ = 1, vppmm_ = 1;
  double xScale_ = 0, yScale_ = 0;
};

}  // namespace keltor
