#include "keltor/core/operations/delete_ranges.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace keltor {

bool CompactRanges(std::string& bytes, km::RawFileHeader& header, std::span<const int> deleted) {
  constexpr size_t kBlock = km::kBlockSize;
  const int count = header.MeasuredRangeCount;
  if (count < 1 || count > km::kMaxRanges || header.RangeBlock[1] < 1) return false;
  km::RawFileHeader result = header;
  std::string out = bytes.substr(0, std::min(bytes.size(), static_cast<size_t>(header.RangeBlock[1] - 1) * kBlock));
  if (out.size() < sizeof(km::RawFileHeader)) return false;
  long w = header.RangeBlock[1];
  int k = 0;
  long long total = 0;
  for (int i = 1; i <= count; ++i) {
    const long block = header.RangeBlock[i];
    const long blocks = static_cast<long>(header.DataBlocksOf(i)) + 1;
    if (block < 1 || blocks < 1 || static_cast<size_t>(block - 1 + blocks) * kBlock > bytes.size()) return false;
    if (std::find(deleted.begin(), deleted.end(), i) != deleted.end()) continue;
    ++k;
    // Each kept range goes where the one before it ended, so the file has no holes afterwards.
    result.RangeBlock[k] = static_cast<int16_t>(w);
    result.DataBlocksOf(k) = header.DataBlocksOf(i);
    const size_t from = static_cast<size_t>(block - 1) * kBlock;
    out.append(bytes, from, static_cast<size_t>(blocks) * kBlock);
    km::RawRangeHeader rangeHeader;
    std::memcpy(&rangeHeader, bytes.data() + from, sizeof rangeHeader);
    total += std::max<int>(0, rangeHeader.PointCount);
    w += blocks;
  }
  for (int slot = k + 1; slot <= km::kMaxRanges; ++slot) {
    result.RangeBlock[slot] = 0;
    result.DataBlocksOf(slot) = 0;
  }
  result.MeasuredRangeCount = static_cast<int16_t>(k);
  result.LastBlock = static_cast<int16_t>(w - 1);
  result.LastBlockCopy = result.LastBlock;
  result.TotalPointCount = static_cast<int32_t>(total);
  std::memcpy(out.data(), &result, sizeof result);
  bytes = std::move(out);
  header = result;
  return true;
}

}  // namespace keltor
