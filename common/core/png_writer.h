#pragma once
// PNG files of drawn pictures, written quickly. Pictures drawn by the programs are large areas of one
// colour, lines and text: almost everything repeats the pixel before it or the pixel above it. The
// encoder looks for exactly those two repeats and codes the rest byte by byte with deflate's fixed
// codes, several times faster than a general compressor and within a few times its size.
// The file holds 8-bit RGB pixels, unfiltered rows, in one compressed block.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace km {

// The PNG file of rows of 0xAARRGGBB pixels (alpha is left out); stride is the distance between rows
// in pixels. Nothing for an empty picture or one too wide for PNG.
std::vector<uint8_t> EncodeRgbPng(const uint32_t* pixels, int width, int height, ptrdiff_t stride);

// The checksums PNG files use: the CRC of chunks and the Adler sum of the compressed stream. Start
// from Crc32(0, ...) and Adler32(1, ...); feed the bytes in pieces by passing the running value.
uint32_t Crc32(uint32_t crc, const uint8_t* bytes, size_t count);
uint32_t Adler32(uint32_t adler, const uint8_t* bytes, size_t count);

}  // namespace km
