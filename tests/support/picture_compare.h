#pragma once
// Two drawings of one picture compared as the eye sees them: a pixel that differs is acceptable when
// its colour in each picture appears within one pixel of it in the other (a line that passes a pixel
// further up or down), and only a small share of the pixels may differ at all.
#include <QImage>
#include <algorithm>

namespace km::testing {

struct PictureDifference {
  long differing = 0;  // pixels whose colours differ
  long misplaced = 0;  // of those, pixels whose colour has no match within one pixel in the other picture
};

inline bool ColourNear(const QImage& image, int x, int y, QRgb colour) {
  for (int v = std::max(y - 1, 0); v <= std::min(y + 1, image.height() - 1); ++v)
    for (int u = std::max(x - 1, 0); u <= std::min(x + 1, image.width() - 1); ++u)
      if (image.pixel(u, v) == colour) return true;
  return false;
}

inline PictureDifference ComparePictures(const QImage& a, const QImage& b) {
  PictureDifference d;
  if (a.size() != b.size()) {
    d.differing = d.misplaced = static_cast<long>(a.width()) * a.height() + 1;
    return d;
  }
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb pa = a.pixel(x, y), pb = b.pixel(x, y);
      if (pa == pb) continue;
      ++d.differing;
      if (!ColourNear(b, x, y, pa) || !ColourNear(a, x, y, pb)) ++d.misplaced;
    }
  return d;
}

// The pixels of one colour: the size of a picture's outlines, against which differences are weighed.
inline long CountColour(const QImage& image, QRgb colour) {
  long n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
  return n;
}

}  // namespace km::testing
