// Feeds arbitrary bytes to the viewer's status file reader. Whatever the file says, reading must
// refuse or succeed without touching memory it should not; the settings it carries must draw (on the
// placeholder set, as the viewer draws them when the set cannot be loaded) without a hang, with every
// coordinate in reach of an int; and a status file written from the result must read back to the
// same file.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "morvane/core/draw.h"
#include "morvane/core/file_set.h"
#include "morvane/core/scaling.h"
#include "morvane/core/status_file.h"

namespace {

// Draws nothing; checks that what reaches the device is sane.
class CheckingCanvas : public km::Canvas {
 public:
  km::DeviceCaps Caps() const override { return {}; }
  void SetPen(const km::PenSpec&) override {}
  void SetBrush(std::optional<km::Rgb>) override {}
  void MoveTo(km::Point p) override { Check(p); }
  void LineTo(km::Point p) override { Check(p); }
  void Polyline(std::span<const km::Point> points) override { Check(points); }
  void Polygon(std::span<const km::Point> points) override { Check(points); }
  void Rectangle(const km::Rect& r) override { Check(r); }
  void FillRect(const km::Rect& r, km::Rgb) override { Check(r); }
  void SetPixel(km::Point p, km::Rgb) override { Check(p); }
  void SetClip(std::optional<km::Rect>) override {}
  void SetFont(const km::FontSpec&) override {}
  void SetTextColor(km::Rgb) override {}
  void SetTextBackground(std::optional<km::Rgb>) override {}
  void SetTextAlign(unsigned) override {}
  void TextOut(km::Point p, std::string_view) override { Check(p); }
  km::Size TextExtent(std::string_view text) override { return {static_cast<int>(text.size()) * 6, 12}; }
  km::TextMetrics Metrics() override { return {12, 10, 2, 6}; }

 private:
  // Coordinates are held at +-2^28 by the drawing; anything beyond is arithmetic gone wrong.
  static void Check(km::Point p) {
    if (std::abs(p.x) > (1 << 29) || std::abs(p.y) > (1 << 29)) std::abort();
  }
  static void Check(std::span<const km::Point> points) {
    for (const km::Point p : points) Check(p);
  }
  static void Check(const km::Rect& r) {
    Check(km::Point{r.left, r.top});
    Check(km::Point{r.right, r.bottom});
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  morvane::StatusFile file;
  const morvane::StatusParse parse = morvane::ParseStatusFile(text, file);
  if (parse.problem != morvane::StatusProblem::None) {
    if (morvane::DescribeStatusProblem(parse).empty()) std::abort();
    return 0;
  }
  if (file.NumFiles < 0 || file.NumFiles > morvane::kMaxFiles || static_cast<int>(file.Files.size()) != file.NumFiles)
    std::abort();

  // What ReadStatusFile does once the set has failed to load: the placeholder set and the settings.
  // The set is cut to three short diagrams, so that each input is drawn quickly.
  static const morvane::ViewerState placeholder = [] {
    morvane::ViewerState demo;
    morvane::CreateDemoSet(demo);
    demo.Diagrams.resize(3);
    demo.NumDiagrams = 3;
    for (morvane::Diagram& d : demo.Diagrams) {
      d.Points.resize(8);
      d.Capacity = d.PointCount = 8;
    }
    return demo;
  }();
  morvane::ViewerState st = placeholder;
  st.NumFiles = file.NumFiles;
  for (int d = 0; d < file.NumFiles; ++d) st.File[d] = file.Files[d];
  morvane::ApplyStatusSettings(st, file);
  morvane::ApplyScalingSwitches(st);

  // Drawn as the window would draw it (ranges reset at the first paint); every other input with the
  // top view switched the other way.
  CheckingCanvas dc;
  morvane::ViewState view;
  morvane::ViewerState copy = st;
  if (size % 2) copy.TopView = !copy.TopView;
  morvane::Paint(dc, copy, view, 640, 400);

  // Written and read back, the file must say the same again.
  const std::string written = morvane::FormatStatusFile(st);
  morvane::StatusFile back;
  if (morvane::ParseStatusFile(written, back).problem != morvane::StatusProblem::None) std::abort();
  morvane::ViewerState again = placeholder;
  again.NumFiles = back.NumFiles;
  for (int d = 0; d < back.NumFiles; ++d) again.File[d] = back.Files[d];
  morvane::ApplyStatusSettings(again, back);
  morvane::ApplyScalingSwitches(again);
  if (morvane::FormatStatusFile(again) != written) std::abort();
  return 0;
}
