#pragma once
// A Canvas that draws nothing and records every call with its arguments, for tests of drawing code.
// Text metrics are fixed and simple: every character is averageWidth pixels wide and the font
// height pixels high, so positions that depend on text extents can be predicted exactly.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "common/core/canvas.h"

namespace km::testing {

struct CanvasCall {
  enum Kind {
    SetPen, SetBrush, MoveTo, LineTo, Polyline, Polygon, Rectangle, FillRect, SetPixel, SetClip,
    SetFont, SetTextColor, SetTextBackground, SetTextAlign, TextOut
  };
  Kind kind = SetPen;
  std::vector<Point> points;  // MoveTo, LineTo, TextOut: one; Polyline, Polygon: all
  Rect rect;                  // Rectangle, FillRect, SetClip
  std::optional<Rgb> color;   // SetBrush, FillRect, SetPixel, SetTextColor, SetTextBackground
  PenSpec pen;                // SetPen
  FontSpec font;              // SetFont
  unsigned align = 0;         // SetTextAlign
  std::string text;           // TextOut
};

class RecordingCanvas : public Canvas {
 public:
  std::vector<CanvasCall> calls;
  DeviceCaps caps{800, 600, 211, 158, 96, 96, -1};
  int charWidth = 6;

  // The state a real device would be in, kept for assertions.
  PenSpec pen;
  std::optional<Rgb> brush;
  FontSpec font;
  Point position;
  unsigned textAlign = 0;
  Rgb textColor;

  DeviceCaps Caps() const override { return caps; }
  void SetPen(const PenSpec& p) override { pen = p; Add(CanvasCall::SetPen).pen = p; }
  void SetBrush(std::optional<Rgb> b) override { brush = b; Add(CanvasCall::SetBrush).color = b; }
  void MoveTo(Point p) override { position = p; Add(CanvasCall::MoveTo).points = {p}; }
  void LineTo(Point p) override { position = p; Add(CanvasCall::LineTo).points = {p}; }
  void Polyline(std::span<const Point> pts) override { Add(CanvasCall::Polyline).points.assign(pts.begin(), pts.end()); }
  void Polygon(std::span<const Point> pts) override { Add(CanvasCall::Polygon).points.assign(pts.begin(), pts.end()); }
  void Rectangle(const Rect& r) override { Add(CanvasCall::Rectangle).rect = r; }
  void FillRect(const Rect& r, Rgb c) override {
    auto& call = Add(CanvasCall::FillRect);
    call.rect = r;
    call.color = c;
  }
  void SetPixel(Point p, Rgb c) override {
    auto& call = Add(CanvasCall::SetPixel);
    call.points = {p};
    call.color = c;
  }
  void SetClip(std::optional<Rect> clip) override { Add(CanvasCall::SetClip).rect = clip.value_or(Rect{}); }
  void SetFont(const FontSpec& f) override { font = f; Add(CanvasCall::SetFont).font = f; }
  void SetTextColor(Rgb c) override { textColor = c; Add(CanvasCall::SetTextColor).color = c; }
  void SetTextBackground(std::optional<Rgb> c) override { Add(CanvasCall::SetTextBackground).color = c; }
  void SetTextAlign(unsigned flags) override { textAlign = flags; Add(CanvasCall::SetTextAlign).align = flags; }
  void TextOut(Point p, std::string_view text) override {
    auto& call = Add(CanvasCall::TextOut);
    call.points = {p};
    call.text = std::string(text);
    call.align = textAlign;
    call.font = font;
    call.color = textColor;
  }
  Size TextExtent(std::string_view text) override { return {static_cast<int>(text.size()) * charWidth, FontHeight()}; }
  TextMetrics Metrics() override {
    const int h = FontHeight();
    return {h, h * 4 / 5, h - h * 4 / 5, charWidth};
  }

  // Queries.
  std::vector<const CanvasCall*> Of(CanvasCall::Kind kind) const {
    std::vector<const CanvasCall*> out;
    for (const auto& c : calls)
      if (c.kind == kind) out.push_back(&c);
    return out;
  }
  const CanvasCall* FindText(std::string_view text) const {
    for (const auto& c : calls)
      if (c.kind == CanvasCall::TextOut && c.text == text) return &c;
    return nullptr;
  }
  // Index of the first call of a kind that satisfies pred, or -1.
  template <typename Pred>
  int IndexOf(CanvasCall::Kind kind, Pred pred) const {
    for (size_t i = 0; i < calls.size(); ++i)
      if (calls[i].kind == kind && pred(calls[i])) return static_cast<int>(i);
    return -1;
  }

 private:
  int FontHeight() const { return font.height < 0 ? -font.height : (font.height > 0 ? font.height : 16); }
  CanvasCall& Add(CanvasCall::Kind kind) {
    calls.emplace_back().kind = kind;
    return calls.back();
  }
};

}  // namespace km::testing
