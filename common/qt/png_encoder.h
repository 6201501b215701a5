#pragma once
// PNG files of pictures drawn on a QImage, written quickly: the pixels as they are (8-bit RGB, no
// alpha), coded by the encoder made for drawn pictures.
#include <QImage>
#include <cstdint>
#include <optional>
#include <vector>

namespace km {

// The PNG file of the image; nothing when the encoder failed (out of memory).
std::optional<std::vector<uint8_t>> EncodePng(const QImage& image);

}  // namespace km
