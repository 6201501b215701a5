// The PNG checksums as every reader computes them (the files themselves are read back by Qt in the
// tests of the Qt adapters).
#include "common/core/png_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace km {
namespace {

TEST(PngWriter, ChecksumsOfKnownTextsAndNothingForNoPicture) {
  const std::string digits = "123456789", word = "Wikipedia";
  const auto* d = reinterpret_cast<const uint8_t*>(digits.data());
  const auto* w = reinterpret_cast<const uint8_t*>(word.data());
  EXPECT_EQ(Crc32(Crc32(0, d, 4), d + 4, 5), 0xCBF43926u);  // in pieces
  EXPECT_EQ(Adler32(Adler32(1, w, 3), w + 3, 6), 0x11E60398u);
  // A long run of the largest byte, where the sums come nearest to overflowing (zlib's value).
  const std::vector<uint8_t> ones(100000, 0xFF);
  EXPECT_EQ(Adler32(1, ones.data(), ones.size()), 0x149A302Cu);

  const uint32_t pixel = 0;
  EXPECT_TRUE(EncodeRgbPng(nullptr, 3, 3, 3).empty() && EncodeRgbPng(&pixel, 0, 1, 1).empty() &&
              EncodeRgbPng(&pixel, 1, -1, 1).empty());
}

}  // namespace
}  // namespace km
