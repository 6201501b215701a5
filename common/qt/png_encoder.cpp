#include "common/qt/png_encoder.h"

#include <new>

#include "common/core/png_writer.h"

namespace km {

std::optional<std::vector<uint8_t>> EncodePng(const QImage& image) {
  if (image.isNull()) return std::nullopt;
  const QImage rgb = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                         ? image
                         : image.convertToFormat(QImage::Format_RGB32);
  if (rgb.isNull()) return std::nullopt;
  try {
    std::vector<uint8_t> png = EncodeRgbPng(reinterpret_cast<const uint32_t*>(rgb.constBits()), rgb.width(),
                                            rgb.height(), rgb.bytesPerLine() / 4);
    if (png.empty()) return std::nullopt;
    return png;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace km
