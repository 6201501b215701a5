#include "common/qt/emf_canvas.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/qt/qpainter_canvas.h"
#include "common/qt/qt_text.h"

// The metafile library speaks the classic drawing interface, with its macros; they are kept to
// this file, and the ones that would rename the canvas's own methods are dropped.
#include <libEMF/emf.h>
#undef TextOut
#undef GetTextExtentPoint
#undef CreateFont
#undef min
#undef max

namespace km {
namespace {

COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

std::vector<POINT> ToPoints(std::span<const Point> points) {
  std::vector<POINT> out(points.size());
  for (size_t i = 0; i < points.size(); ++i) out[i] = {points[i].x, points[i].y};
  return out;
}

}  // namespace

// The metafile being built, in a memory stream, and the drawing objects selected into it.
struct EmfCanvas::Device {
  char* bytes = nullptr;
  size_t length = 0;
  FILE* stream = nullptr;
  HDC dc = 0;
  HGDIOBJ pen = 0, brush = 0, font = 0;  // created by us; 0 while a stock object is selected

  ~Device() {
    if (dc) CloseEnhMetaFileWithFILE(dc);
    if (stream) std::fclose(stream);
    std::free(bytes);
  }

  // Selects a new object of one kind and deletes the one it replaces.
  void Replace(HGDIOBJ& slot, HGDIOBJ created, HGDIOBJ selected) {
    SelectObject(dc, selected);
    if (slot) DeleteObject(slot);
    slot = created;
  }
};

EmfCanvas::EmfCanvas(Size size, const DeviceCaps& caps) : device_(std::make_unique<Device>()), caps_(caps) {
  caps_.horzRes = size.cx;
  caps_.vertRes = size.cy;
  Device& d = *device_;
  d.stream = open_memstream(&d.bytes, &d.length);
  if (!d.stream) return;
  // The frame (hundredths of a millimetre) is the picture at the reference device's resolution, so
  // that one logical unit is one pixel of the picture.
  FILE* probeStream = std::tmpfile();
  int refPixels = 1024, refMm = 320;
  if (probeStream) {
    if (HDC probe = CreateEnhMetaFileWithFILEA(0, probeStream, nullptr, nullptr)) {
      refPixels = std::max(1, GetDeviceCaps(probe, HORZRES));
      refMm = std::max(1, GetDeviceCaps(probe, HORZSIZE));
      if (HENHMETAFILE m = CloseEnhMetaFileWithFILE(probe)) DeleteEnhMetaFile(m);
    }
    std::fclose(probeStream);
  }
  const RECT frame{0, 0, static_cast<LONG>(std::lround(size.cx * 100.0 * refMm / refPixels)),
                   static_cast<LONG>(std::lround(size.cy * 100.0 * refMm / refPixels))};
  d.dc = CreateEnhMetaFileWithFILEA(0, d.stream, &frame, nullptr);
  if (!d.dc) return;
  SetPolyFillMode(d.dc, ALTERNATE);
  SetTextBackground(Rgb{255, 255, 255});  // the device's default: text on an opaque white ground
  SetPen(pen_);
  SetBrush(Rgb{255, 255, 255});
  SetFont(FontSpec{});
}

EmfCanvas::~EmfCanvas() = default;

bool EmfCanvas::IsOpen() const { return device_ && device_->dc; }

std::optional<std::vector<uint8_t>> EmfCanvas::Finish() {
  if (!IsOpen()) return std::nullopt;
  Device& d = *device_;
  SelectObject(d.dc, GetStockObject(BLACK_PEN));
  SelectObject(d.dc, GetStockObject(WHITE_BRUSH));
  for (HGDIOBJ* slot : {&d.pen, &d.brush, &d.font}) {
    if (*slot) DeleteObject(*slot);
    *slot = 0;
  }
  HENHMETAFILE metafile = CloseEnhMetaFileWithFILE(d.dc);
  d.dc = 0;
  if (!metafile) return std::nullopt;
  DeleteEnhMetaFile(metafile);
  const bool written = std::fflush(d.stream) == 0 && !std::ferror(d.stream);
  if (!written || d.length == 0) return std::nullopt;
  return std::vector<uint8_t>(d.bytes, d.bytes + d.length);
}

DeviceCaps EmfCanvas::ScreenCaps(Size size) {
  DeviceCaps caps;
  caps.horzRes = size.cx;
  caps.vertRes = size.cy;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen) {
    caps.logPixelsX = static_cast<int>(std::lround(screen->logicalDotsPerInchX()));
    caps.logPixelsY = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
  }
  caps.horzSizeMm = static_cast<int>(std::lround(size.cx * 25.4 / std::max(1, caps.logPixelsX)));
  caps.vertSizeMm = static_cast<int>(std::lround(size.cy * 25.4 / std::max(1, caps.logPixelsY)));
  caps.numColors = -1;
  return caps;
}

DeviceCaps EmfCanvas::Caps() const { return caps_; }

void EmfCanvas::SetPen(const PenSpec& pen) {
  pen_ = pen;
  if (!IsOpen()) return;
  if (!pen.visible) {
    device_->Replace(device_->pen, 0, GetStockObject(NULL_PEN));
    return;
  }
  HPEN created = CreatePen(PS_SOLID, std::max(1, pen.width), ToColorRef(pen.color));
  device_->Replace(device_->pen, created, created);
}

void EmfCanvas::SetBrush(std::optional<Rgb> brush) {
  brush_ = brush;
  if (!IsOpen()) return;
  if (!brush) {
    device_->Replace(device_->brush, 0, GetStockObject(NULL_BRUSH));
    return;
  }
  HBRUSH created = CreateSolidBrush(ToColorRef(*brush));
  device_->Replace(device_->brush, created, created);
}

void EmfCanvas::MoveTo(Point p) {
  if (IsOpen()) MoveToEx(device_->dc, p.x, p.y, nullptr);
}

void EmfCanvas::LineTo(Point p) {
  if (IsOpen()) ::LineTo(device_->dc, p.x, p.y);
}

void EmfCanvas::Polyline(std::span<const Point> points) {
  if (!IsOpen() || points.size() < 2) return;
  const std::vector<POINT> pts = ToPoints(points);
  ::Polyline(device_->dc, pts.data(), static_cast<INT>(pts.size()));
}

void EmfCanvas::Polygon(std::span<const Point> points) {
  if (!IsOpen() || points.size() < 2) return;
  const std::vector<POINT> pts = ToPoints(points);
  ::Polygon(device_->dc, pts.data(), static_cast<INT>(pts.size()));
}

void EmfCanvas::Rectangle(const Rect& r) {
  if (IsOpen()) ::Rectangle(device_->dc, r.left, r.top, r.right, r.bottom);
}

void EmfCanvas::FillRect(const Rect& r, Rgb color) {
  if (!IsOpen() || r.right <= r.left || r.bottom <= r.top) return;
  // A rectangle drawn without a pen fills one pixel less to the right and below.
  const PenSpec pen = pen_;
  const std::optional<Rgb> brush = brush_;
  SetPen({color, 1, false});
  SetBrush(color);
  ::Rectangle(device_->dc, r.left, r.top, r.right + 1, r.bottom + 1);
  SetPen(pen);
  SetBrush(brush);
}

void EmfCanvas::SetPixel(Point p, Rgb color) {
  if (IsOpen()) ::SetPixel(device_->dc, p.x, p.y, ToColorRef(color));
}

void EmfCanvas::SetClip(std::optional<Rect>) {}

void EmfCanvas::SetFont(const FontSpec& font) {
  fontSpec_ = font;
  font_ = QPainterCanvas::ToQFont(font);
  if (!IsOpen()) return;
  LOGFONTW logical{};
  logical.lfHeight = font.height;
  logical.lfEscapement = logical.lfOrientation = font.escapement;
  logical.lfWeight = font.weight;
  logical.lfItalic = font.italic ? 1 : 0;
  logical.lfCharSet = ANSI_CHARSET;
  logical.lfQuality = DEFAULT_QUALITY;
  logical.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  const QString face = FromCp1252(font.face).left(LF_FACESIZE - 1);
  for (qsizetype i = 0; i < face.size(); ++i) logical.lfFaceName[i] = face[i].unicode();
  HFONT created = CreateFontIndirectW(&logical);
  device_->Replace(device_->font, created, created);
}

void EmfCanvas::SetTextColor(Rgb color) {
  if (IsOpen()) ::SetTextColor(device_->dc, ToColorRef(color));
}

void EmfCanvas::SetTextBackground(std::optional<Rgb> color) {
  if (!IsOpen()) return;
  SetBkMode(device_->dc, color ? OPAQUE : TRANSPARENT);
  if (color) SetBkColor(device_->dc, ToColorRef(*color));
}

void EmfCanvas::SetTextAlign(unsigned flags) {
  if (IsOpen()) ::SetTextAlign(device_->dc, flags);
}

void EmfCanvas::TextOut(Point p, std::string_view text) {
  if (!IsOpen() || text.empty()) return;
  const QString s = FromCp1252(text);
  const QFontMetrics fm(font_);
  std::vector<WCHAR> chars(static_cast<size_t>(s.size()));
  std::vector<INT> advances(chars.size());
  int before = 0;
  for (qsizetype i = 0; i < s.size(); ++i) {
    chars[static_cast<size_t>(i)] = s[i].unicode();
    const int upTo = fm.horizontalAdvance(s.left(i + 1));
    advances[static_cast<size_t>(i)] = upTo - before;
    before = upTo;
  }
  ExtTextOutW(device_->dc, p.x, p.y, 0, nullptr, chars.data(), static_cast<UINT>(chars.size()), advances.data());
}

Size EmfCanvas::TextExtent(std::string_view text) {
  const QFontMetrics fm(font_);
  return {fm.horizontalAdvance(FromCp1252(text)), fm.height()};
}

TextMetrics EmfCanvas::Metrics() {
  const QFontMetrics fm(font_);
  return {fm.height(), fm.ascent(), fm.descent(), fm.averageCharWidth()};
}

}  // namespace km
