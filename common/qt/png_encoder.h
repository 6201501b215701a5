#pragma once
// PNG files of pictures drawn on a QImage, written quickly: the pixels as they are (8-bit RGB, no
// alpha), unfiltered rows compressed at zlib's fastest run-length setting. Drawn pictures are large
// areas of few colours, which this packs nearly as well as the slower general settings, in a quarter
// of the time.
#include <QImage>
#include <cstdint>
#include <optional>
#include <vector>

namespace km {

// The PNG file of the image; nothing when the encoder failed (out of memory).
std::optional<std::vector<uint8_t>> EncodePng(const QImage& image);

}  // namespace km
