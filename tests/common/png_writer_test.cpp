// The PNG container: checksums as every reader computes them, and chunks a reader can walk.
#include "common/core/png_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace km {
namespace {

uint32_t BigEndian(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 | b[at + 3];
}

TEST(PngWriter, ChecksumsOfKnownTexts) {
  const std::string digits = "123456789", word = "Wikipedia";
  const auto* d = reinterpret_cast<const uint8_t*>(digits.data());
  const auto* w = reinterpret_cast<const uint8_t*>(word.data());
  EXPECT_EQ(Crc32(0, d, digits.size()), 0xCBF43926u);
  EXPECT_EQ(Crc32(Crc32(0, d, 4), d + 4, 5), 0xCBF43926u);  // in pieces
  EXPECT_EQ(Adler32(1, w, word.size()), 0x11E60398u);
  EXPECT_EQ(Adler32(Adler32(1, w, 3), w + 3, 6), 0x11E60398u);
  // Long runs of the largest byte, where the sums come nearest to overflowing.
  const std::vector<uint8_t> ones(100000, 0xFF);
  uint32_t a = 1, b = 0;
  for (uint8_t x : ones) {
    a = (a + x) % 65521;
    b = (b + a) % 65521;
  }
  EXPECT_EQ(Adler32(1, ones.data(), ones.size()), (b << 16) | a);
}

TEST(PngWriter, ChunksAreWhole) {
  std::vector<uint32_t> pixels(37 * 11, 0xFF00FF00u);
  pixels[5] = 0xFF123456u;
  const std::vector<uint8_t> png = EncodeRgbPng(pixels.data(), 37, 11, 37);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(std::vector<uint8_t>(png.begin(), png.begin() + 8),
            (std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
  std::vector<std::string> types;
  for (size_t at = 8; at + 12 <= png.size();) {
    const uint32_t length = BigEndian(png, at);
    ASSERT_LE(at + 12 + length, png.size());
    types.emplace_back(png.begin() + static_cast<ptrdiff_t>(at) + 4, png.begin() + static_cast<ptrdiff_t>(at) + 8);
    EXPECT_EQ(BigEndian(png, at + 8 + length), Crc32(0, png.data() + at + 4, length + 4)) << types.back();
    if (types.back() == "IHDR") {
      EXPECT_EQ(BigEndian(png, at + 8), 37u);
      EXPECT_EQ(BigEndian(png, at + 12), 11u);
      EXPECT_EQ(png[at + 16], 8);  // bits per sample
      EXPECT_EQ(png[at + 17], 2);  // RGB
    }
    at += 12 + length;
  }
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
}

TEST(PngWriter, NothingForNoPicture) {
  const uint32_t pixel = 0;
  EXPECT_TRUE(EncodeRgbPng(nullptr, 3, 3, 3).empty());
  EXPECT_TRUE(EncodeRgbPng(&pixel, 0, 1, 1).empty());
  EXPECT_TRUE(EncodeRgbPng(&pixel, 1, -1, 1).empty());
}

}  // namespace
}  // namespace km
