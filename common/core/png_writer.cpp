#include "common/core/png_writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace km {
namespace {

// Deflate's lengths and distances: the base of each code and its extra bits.
constexpr std::array<uint16_t, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<uint16_t, 30> kDistanceBase = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                                    33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                                    1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<uint8_t, 30> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr size_t kMaxMatch = 258, kMinMatch = 3, kWindow = 32768;

constexpr uint32_t Reverse(uint32_t code, int bits) {
  uint32_t r = 0;
  for (int i = 0; i < bits; ++i, code >>= 1) r = (r << 1) | (code & 1);
  return r;
}

// A code ready to write: its bits, least significant first, and their number.
struct Code {
  uint32_t bits = 0;
  int length = 0;
};

// The fixed literal/length codes, the lengths 3..258 with their extra bits, all as single codes.
struct FixedCodes {
  std::array<Code, 288> symbol;
  std::array<Code, kMaxMatch + 1> length;
  FixedCodes() {
    for (uint32_t v = 0; v < 288; ++v) {
      if (v < 144) symbol[v] = {Reverse(0x30 + v, 8), 8};
      else if (v < 256) symbol[v] = {Reverse(0x190 + v - 144, 9), 9};
      else if (v < 280) symbol[v] = {Reverse(v - 256, 7), 7};
      else symbol[v] = {Reverse(0xC0 + v - 280, 8), 8};
    }
    for (uint32_t len = kMinMatch; len <= kMaxMatch; ++len) {
      size_t c = len == kMaxMatch ? 28 : 0;
      while (len != kMaxMatch && c + 1 < 28 && kLengthBase[c + 1] <= len) ++c;
      const Code s = symbol[257 + c];
      length[len] = {s.bits | ((len - kLengthBase[c]) << s.length), s.length + kLengthExtra[c]};
    }
  }
};

Code DistanceCode(uint32_t distance) {
  size_t c = 0;
  while (c + 1 < kDistanceBase.size() && kDistanceBase[c + 1] <= distance) ++c;
  return {Reverse(static_cast<uint32_t>(c), 5) | ((distance - kDistanceBase[c]) << 5), 5 + kDistanceExtra[c]};
}

class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
  void Put(Code c) {
    acc_ |= uint64_t{c.bits} << count_;
    count_ += c.length;
    while (count_ >= 8) {
      out_.push_back(static_cast<uint8_t>(acc_));
      acc_ >>= 8;
      count_ -= 8;
    }
  }
  void Finish() {
    if (count_ > 0) out_.push_back(static_cast<uint8_t>(acc_));
    acc_ = 0;
    count_ = 0;
  }

 private:
  std::vector<uint8_t>& out_;
  uint64_t acc_ = 0;
  int count_ = 0;
};

// How many bytes from a equal those from b, at most max.
size_t MatchLength(const uint8_t* a, const uint8_t* b, size_t max) {
  size_t n = 0;
  if constexpr (std::endian::native == std::endian::little) {
    for (; n + 8 <= max; n += 8) {
      uint64_t x, y;
      std::memcpy(&x, a + n, 8);
      std::memcpy(&y, b + n, 8);
      if (x != y) return n + static_cast<size_t>(std::countr_zero(x ^ y) / 8);
    }
  }
  while (n < max && a[n] == b[n]) ++n;
  return n;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const uint8_t* data, size_t size) {
  PutBigEndian(out, static_cast<uint32_t>(size));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data, data + size);
  PutBigEndian(out, Crc32(0, out.data() + start, out.size() - start));
}

}  // namespace

uint32_t Crc32(uint32_t crc, const uint8_t* bytes, size_t count) {
  static const auto table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (size_t i = 0; i < count; ++i) crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

uint32_t Adler32(uint32_t adler, const uint8_t* bytes, size_t count) {
  constexpr uint32_t kBase = 65521;
  // Over a run of n bytes x_i the sums grow by a += sum x_i and b += n a + sum (n - i) x_i: two
  // independent sums the processor adds many bytes at a time. 4096 bytes keep b within 32 bits.
  constexpr size_t kRun = 4096;
  uint32_t a = adler & 0xFFFF, b = adler >> 16;
  while (count > 0) {
    const uint32_t n = static_cast<uint32_t>(std::min(count, kRun));
    uint32_t sum = 0, weighted = 0;
    for (uint32_t i = 0; i < n; ++i) {
      sum += bytes[i];
      weighted += (n - i) * bytes[i];
    }
    b = (b + n * a + weighted) % kBase;
    a = (a + sum) % kBase;
    bytes += n;
    count -= n;
  }
  return (b << 16) | a;
}

std::vector<uint8_t> EncodeRgbPng(const uint32_t* pixels, int width, int height, ptrdiff_t stride) {
  if (!pixels || width <= 0 || height <= 0 || width > (1 << 28) / 3) return {};
  static const FixedCodes codes;
  const size_t rowBytes = 1 + size_t{3} * static_cast<size_t>(width);  // filter byte, then R G B
  // Rows are matched against the row above only while it lies within deflate's window.
  const bool above = rowBytes <= kWindow;
  const Code aboveCode = above ? DistanceCode(static_cast<uint32_t>(rowBytes)) : Code{};
  const Code pixelCode = DistanceCode(3);

  std::vector<uint8_t> stream{0x78, 0x01};  // deflate, 32 KiB window, fastest
  stream.reserve(rowBytes * static_cast<size_t>(height) / 32 + 1024);
  BitWriter bits(stream);
  bits.Put({0b011, 3});  // the final block, fixed codes
  std::vector<uint8_t> previous(rowBytes), row(rowBytes);
  uint32_t adler = 1;
  for (int y = 0; y < height; ++y) {
    const uint32_t* p = pixels + static_cast<ptrdiff_t>(y) * stride;
    uint8_t* o = row.data();
    *o++ = 0;  // no filter
    for (int x = 0; x < width; ++x) {
      *o++ = static_cast<uint8_t>(p[x] >> 16);
      *o++ = static_cast<uint8_t>(p[x] >> 8);
      *o++ = static_cast<uint8_t>(p[x]);
    }
    adler = Adler32(adler, row.data(), rowBytes);
    for (size_t i = 0; i < rowBytes;) {
      const size_t max = std::min(kMaxMatch, rowBytes - i);
      size_t best = 0;
      Code distance;
      if (i >= 3 && max >= kMinMatch) {
        best = MatchLength(row.data() + i, row.data() + i - 3, max);
        distance = pixelCode;
      }
      if (above && y > 0 && best < max && max >= kMinMatch) {
        const size_t up = MatchLength(row.data() + i, previous.data() + i, max);
        if (up > best) {
          best = up;
          distance = aboveCode;
        }
      }
      if (best >= kMinMatch) {
        bits.Put(codes.length[best]);
        bits.Put(distance);
        i += best;
      } else {
        bits.Put(codes.symbol[row[i]]);
        ++i;
      }
    }
    std::swap(previous, row);
  }
  bits.Put(codes.symbol[256]);  // end of block
  bits.Finish();
  PutBigEndian(stream, adler);

  std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutBigEndian(header, static_cast<uint32_t>(width));
  PutBigEndian(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, not interlaced
  PutChunk(png, "IHDR", header.data(), header.size());
  // Chunks hold at most 2^31 - 1 bytes; a picture that large is split.
  constexpr size_t kChunk = size_t{1} << 30;
  for (size_t at = 0; at < stream.size(); at += kChunk)
    PutChunk(png, "IDAT", stream.data() + at, std::min(kChunk, stream.size() - at));
  PutChunk(png, "IEND", nullptr, 0);
  return png;
}

}  // namespace km
