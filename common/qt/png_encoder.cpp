#include "common/qt/png_encoder.h"

#include <png.h>

#include <csetjmp>

namespace km {
namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

// libpng reports errors by a long jump back here; everything with a destructor lives in the caller.
bool Encode(const QImage& image, std::vector<uint8_t>& out, std::vector<png_byte>& row) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  png_set_write_fn(png, &out, Append, Flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, 0, PNG_FILTER_NONE);
  png_set_compression_level(png, 1);
  png_set_compression_strategy(png, 3);  // Z_RLE
  png_write_info(png, info);
  const int width = image.width(), height = image.height();
  for (int y = 0; y < height; ++y) {
    const QRgb* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    png_byte* p = row.data();
    for (int x = 0; x < width; ++x) {
      *p++ = static_cast<png_byte>(qRed(pixels[x]));
      *p++ = static_cast<png_byte>(qGreen(pixels[x]));
      *p++ = static_cast<png_byte>(qBlue(pixels[x]));
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::optional<std::vector<uint8_t>> EncodePng(const QImage& image) {
  if (image.isNull()) return std::nullopt;
  const QImage rgb = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                         ? image
                         : image.convertToFormat(QImage::Format_RGB32);
  std::vector<uint8_t> out;
  out.reserve(static_cast<size_t>(rgb.width()) * static_cast<size_t>(rgb.height()) / 16 + 1024);
  std::vector<png_byte> row(static_cast<size_t>(rgb.width()) * 3);
  if (!Encode(rgb, out, row)) return std::nullopt;
  return out;
}

}  // namespace km
