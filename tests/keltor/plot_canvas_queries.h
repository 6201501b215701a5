#pragma once
// What a plot left on a recording canvas, replayed into the lines and texts it drew, each with the pen,
// clip and text colours in force at the time.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/recording_canvas.h"

namespace keltor::test {

struct DrawnLine {
  km::Point from, to;
  km::PenSpec pen;
  std::optional<km::Rect> clip;
};

struct DrawnText {
  km::Point at;
  std::string text;
  km::FontSpec font;
  km::Rgb color;
  std::optional<km::Rgb> background;
  std::optional<km::Rect> clip;
};

struct Drawing {
  std::vector<DrawnLine> lines;
  std::vector<DrawnText> texts;

  std::vector<DrawnLine> LinesIn(km::Rgb color) const {
    std::vector<DrawnLine> out;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(out),
                 [&](const DrawnLine& l) { return l.pen.color == color; });
    return out;
  }
  std::optional<DrawnText> FindText(std::string_view text) const {
    for (const DrawnText& t : texts)
      if (t.text == text) return t;
    return std::nullopt;
  }
};

inline Drawing Replay(const km::testing::RecordingCanvas& canvas) {
  using Call = km::testing::CanvasCall;
  Drawing d;
  km::PenSpec pen;
  km::Point at;
  std::optional<km::Rect> clip;
  std::optional<km::Rgb> background = km::Rgb{255, 255, 255};
  for (const Call& c : canvas.calls) {
    switch (c.kind) {
      case Call::SetPen: pen = c.pen; break;
      case Call::MoveTo: at = c.points.front(); break;
      case Call::LineTo:
        d.lines.push_back({at, c.points.front(), pen, clip});
        at = c.points.front();
        break;
      case Call::SetClip:
        clip = c.rect == km::Rect{} ? std::nullopt : std::optional<km::Rect>(c.rect);
        break;
      case Call::SetTextBackground: background = c.color; break;
      case Call::TextOut:
        d.texts.push_back({c.points.front(), c.text, c.font, c.color.value_or(km::Rgb{}), background, clip});
        break;
      default: break;
    }
  }
  return d;
}

// 4 pixels per millimetre, 7 pixels per character.
struct PlotCanvas : km::testing::RecordingCanvas {
  PlotCanvas() {
    caps = {1200, 1000, 300, 250, 96, 96, -1};
    charWidth = 7;
  }
  auto LinesIn(km::Rgb color) const { return Replay(*this).LinesIn(color); }
  auto FindText(std::string_view text) const { return Replay(*this).FindText(text); }
};

}  // namespace keltor::test
