// Raw data files: bytes on disk, the writer's bookkeeping, the readers' upgrades and refusals.
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "common/core/raw_file.h"
#include "tests/support/raw_file_builder.h"
#include "tests/support/temp_dir.h"

namespace km {
namespace {

using testing::MeasuredHeader;
using testing::ReadBytes;
using testing::TestRange;
using testing::WriteBytes;

class RawFileTest : public testing::TempDirTest {
 protected:
  // n counts first, first + 1, ...
  static TestRange Counts(int n, float first = 1.0f) { return testing::Ramp(n, 10.0f, 0.02f, first); }
  RawFileContext Write(const std::string& name, std::vector<TestRange> ranges) {
    return testing::WriteRawFile(PathOf(name), MeasuredHeader("test"), std::move(ranges));
  }
  bool WriteRange(RawFileContext& c, int n, TestRange range) {
    testing::TakeExtremes(range);
    return WriteRawRange(sink_, c, n, range.header, range.counts);
  }
  // Reads range n into data_, room values each -1 beforehand, and its header into r_.
  bool Read(RawFileContext& c, int n, size_t room = 16384, RangeReaderVariant variant = RangeReaderVariant::Workbench) {
    data_.assign(room, -1.0f);
    return ReadRawRange(sink_, c, n, r_, data_, nullptr, variant);
  }
  // A context for a file of this name that has not been read.
  RawFileContext Unread(const std::string& path) {
    RawFileContext c;
    c.Path = path;
    c.Header = MeasuredHeader();
    return c;
  }
  static RawFileHeader HeaderOf(const std::vector<uint8_t>& bytes) {
    RawFileHeader h;
    std::memcpy(&h, bytes.data(), sizeof h);
    return h;
  }

  testing::RecordingSink sink_;
  RawRangeHeader r_;
  std::vector<float> data_;
};

TEST_F(RawFileTest, RangesAreLaidOutInFileOrderWithWellFormedBookkeeping) {
  RawFileContext c = Write("a.raw", {Counts(300), Counts(700, 40000)});
  const auto bytes = ReadBytes(c.Path);
  const RawFileHeader h = HeaderOf(bytes);
  // 300 small counts: 16-bit, 2 data blocks at block 4; 700 counts above 32767: 32-bit, 6 data blocks
  // right after range 1 and its header block; the last block in use twice; ranges and points (copied
  // with +: the field is not 4-byte aligned).
  EXPECT_EQ((std::vector<int>{h.RangeBlock[1], h.DataBlocksOf(1), h.RangeBlock[2], h.DataBlocksOf(2), h.LastBlock,
                              h.LastBlockCopy, h.MeasuredRangeCount, +h.TotalPointCount}),
            (std::vector<int>{4, 2, 4 + 2 + 1, 6, 3 + 3 + 7, 3 + 3 + 7, 2, 1000}));
  EXPECT_EQ(bytes.size(), static_cast<size_t>(h.LastBlock) * 512);
  ASSERT_TRUE(Read(c, 2));
  EXPECT_EQ(data_[699], 40699.0f);
  // The larger extreme, either side of zero, chooses between 16 and 32 bits.
  EXPECT_EQ((std::vector{ChooseDataFormat(0, 32767), ChooseDataFormat(0, 32768), ChooseDataFormat(-40000, 100),
                         ChooseDataFormat(-32767, 5)}),
            (std::vector{1, 0, 0, 1}));
}

TEST_F(RawFileTest, CountsAreRoundedHalfAwayFromZeroAndScaled) {
  // Scale factor 10: stored as value * 10 rounded, read back divided; a factor not above 1 is never applied.
  const struct {
    float scale;
    std::vector<float> counts, back;
  } cases[] = {
      {1, {2.5f, -2.5f, 0.49f, -0.5f}, {3, -3, 0, -1}},
      {10, {1.25f, 7.04f}, {1.3f, 7.0f}},
      {0.5f, {1.25f, 7.04f}, {1, 7}}};
  for (const auto& c : cases) {
    TestRange range = Counts(static_cast<int>(c.counts.size()));
    range.header.ScaleFactor = c.scale;
    range.counts = c.counts;
    RawFileContext file = Write("round.raw", {range});
    ASSERT_TRUE(Read(file, 1, c.counts.size()));
    for (size_t i = 0; i < c.back.size(); ++i) EXPECT_FLOAT_EQ(data_[i], c.back[i]) << c.scale << " " << i;
  }
}

TEST_F(RawFileTest, WriterAppendsReplacesTheLastRangeAndStartsAnew) {
  RawFileContext c = Write("w.raw", {Counts(300), Counts(600)});
  // Range 3 appends after the last block in use.
  const int lastBefore = c.Header.LastBlock;
  ASSERT_TRUE(WriteRange(c, 3, Counts(10)));
  EXPECT_EQ(c.Header.RangeBlock[3], lastBefore + 1);

  // Range 3 again replaces the last range in place, freeing its old blocks first.
  ASSERT_TRUE(WriteRange(c, 3, Counts(1000)));
  EXPECT_EQ(c.Header.RangeBlock[3], lastBefore + 1);
  EXPECT_EQ(+c.Header.TotalPointCount, 300 + 600 + 1000);
  ASSERT_TRUE(WriteRange(c, -3, Counts(5)));
  EXPECT_EQ(c.Header.LastBlock, lastBefore + 2);
  EXPECT_EQ(ReadBytes(c.Path).size(), static_cast<size_t>(c.Header.LastBlock) * 512);

  // Range 1 into a context that says 3 ranges: a new file with one range.
  ASSERT_TRUE(WriteRange(c, 1, Counts(20)));
  const RawFileHeader h = HeaderOf(ReadBytes(c.Path));
  EXPECT_EQ((std::vector<int>{h.MeasuredRangeCount, +h.TotalPointCount, h.RangeBlock[2]}), (std::vector{1, 20, 0}));
}

TEST_F(RawFileTest, NinthRangeIsRefusedAndTheFileStaysAsItWas) {
  RawFileContext c = Write("full.raw", std::vector<TestRange>(8, Counts(3)));
  const auto before = ReadBytes(c.Path);
  EXPECT_FALSE(WriteRange(c, 9, Counts(3)));
  EXPECT_EQ(sink_.Texts(), std::vector<std::string>{"Raw data file capacity exceeded\n\n" + c.Path});
  EXPECT_EQ(ReadBytes(c.Path), before);
}

TEST_F(RawFileTest, FileBeingMeasuredCountsOneRangeMore) {
  RawFileContext c = Unread(PathOf("m.raw"));
  c.IsBeingMeasured = true;
  ASSERT_TRUE(WriteRange(c, 1, Counts(3)));
  ASSERT_TRUE(WriteRange(c, 2, Counts(3)));
  auto bytes = ReadBytes(c.Path);
  EXPECT_EQ(HeaderOf(bytes).RangeInMeasurement, 2);
  const int16_t three = 3;
  std::memcpy(&bytes[380], &three, 2);
  WriteBytes(c.Path, bytes);

  RawFileContext read = Unread(c.Path);
  ASSERT_TRUE(Read(read, 0));
  EXPECT_TRUE(read.MeasuredRanges == 3 && read.IsBeingMeasured);
}

TEST_F(RawFileTest, NegativeNumberReadsOnlyTheRangeHeader) {
  TestRange second = Counts(7);
  second.header.BackgroundFactor = 0;
  RawFileContext c = Write("h.raw", {Counts(5), second});
  ASSERT_TRUE(Read(c, -2));
  EXPECT_EQ(r_.PointCount, 7);
  EXPECT_EQ(r_.BackgroundFactor, 1.0f);  // 0 on disk, read as 1
  EXPECT_EQ(data_[0], -1.0f);
  EXPECT_EQ(c.CurrentRange, 2);
}

TEST_F(RawFileTest, MissingDataBlockKeepsThePointsBeforeIt) {
  RawFileContext c = Write("cut.raw", {Counts(300)});
  auto bytes = ReadBytes(c.Path);
  bytes.resize(bytes.size() - 512);  // the second data block is gone
  WriteBytes(c.Path, bytes);
  EXPECT_FALSE(Read(c, 1, 300));
  EXPECT_EQ(sink_.LastText(), "End of file reached: " + c.Path);
  EXPECT_EQ(data_[255], 256.0f);
  EXPECT_EQ(data_[256], -1.0f);
}

TEST_F(RawFileTest, RangeLongerThanTheBufferIsRefused) {
  RawFileContext c = Write("long.raw", {Counts(600)});
  EXPECT_FALSE(Read(c, 1, 500));
  EXPECT_EQ(sink_.LastText(),
            "Range 1 of this raw data file holds 600 points, more than the 500 this program can take.\n\n" + c.Path);
}

TEST_F(RawFileTest, HostileHeadersAreRefusedNotFollowed) {
  const auto good = ReadBytes(Write("ok.raw", {Counts(10), Counts(10)}).Path);
  const std::string path = PathOf("bad.raw");
  const std::string invalid = "Invalid file format or version.\n\n" + path;
  auto expectRefusal = [&](auto patch, int range, const std::string& message) {
    auto bytes = good;
    patch(bytes);
    WriteBytes(path, bytes);
    RawFileContext c = Unread(path);
    sink_.Clear();
    EXPECT_FALSE(Read(c, range));
    EXPECT_EQ(sink_.Texts(), std::vector<std::string>{message});
  };
  auto put16 = [](std::vector<uint8_t>& b, size_t at, int16_t v) { std::memcpy(&b[at], &v, 2); };
  expectRefusal([&](auto& b) { b[3] = 'X'; }, 0, invalid);
  expectRefusal([&](auto& b) { b.resize(511); }, 0, invalid);
  expectRefusal([&](auto& b) { put16(b, 378, 200); }, 1, invalid);                 // absurd range count
  expectRefusal([&](auto& b) { put16(b, 378, -1); }, 1, invalid);
  expectRefusal([&](auto& b) { put16(b, 480, 2); }, 1, invalid);                   // block inside the headers
  expectRefusal([&](auto& b) { put16(b, 482, 0); }, 2, "Raw data file has no data for range number 2.");
  expectRefusal([&](auto& b) { put16(b, 482, 30000); }, 2, "End of file reached: " + path);
  expectRefusal([&](auto& b) { put16(b, 3 * 512 + 36, 61); }, -1, invalid);       // 61 background points
  expectRefusal([&](auto& b) { put16(b, 3 * 512 + 34, -5); }, 1, "Raw data file has no data for range number 1.");
  expectRefusal([&](auto& b) { (void)b; }, 3, "Raw data file has no data for range number 3.");

  // The extension header is part of the file when the caller asks for it.
  RawFileHeader h;
  RawExtHeader ext;
  auto shortFile = good;
  shortFile.resize(1535);
  sink_.Clear();
  EXPECT_TRUE(ParseRawHeader(sink_, shortFile, path, h));
  EXPECT_FALSE(ParseRawHeader(sink_, shortFile, path, h, &ext));
  EXPECT_EQ(sink_.Texts(), std::vector<std::string>{invalid});
}

TEST_F(RawFileTest, TruncationAtEveryLengthEndsWithAMessage) {
  const auto bytes = ReadBytes(Write("t.raw", {Counts(300), Counts(100, 50000)}).Path);
  data_.resize(16384);
  for (size_t length = 0; length < bytes.size(); length += 7) {
    const std::span<const uint8_t> cut(bytes.data(), length);
    for (int range : {-2, -1, 0, 1, 2}) {
      RawFileContext c = Unread("t.raw");
      sink_.Clear();
      const bool ok = ParseRawRange(sink_, cut, c, range, r_, data_);
      EXPECT_NE(ok, !sink_.messages.empty()) << length << " " << range;
    }
  }
}

TEST_F(RawFileTest, OlderVersionsAreUpgradedInMemory) {
  RawFileHeader h = MeasuredHeader();
  h.Magic[7] = '4';
  SetFieldText(h.CreationTime, " 1-Jan-99\t8:05");
  SetFieldText(h.Title, "Quartz    ");
  h.Monochromator = 4;
  h.RelatedReserved = 77;
  h.LegacyRangeFlags = 0x0013;
  auto* bytes = reinterpret_cast<unsigned char*>(&h);
  std::memcpy(bytes + 440, "02-Feb-99  10:00", 16);  // the old place of ModificationTime
  std::memcpy(bytes + 456, "QEDIT", 6);              // and of ModifierProgram
  const std::span<const uint8_t> file(bytes, sizeof h);
  RawFileHeader read;
  ASSERT_TRUE(ParseRawHeader(sink_, file, "old.raw", read));
  EXPECT_EQ((std::vector{FieldText(read.CreationTime), FieldText(read.Title), FieldText(read.ModificationTime),
                         FieldText(read.ModifierProgram)}),
            (std::vector<std::string>{"1-Jan-99 8:05", "Quartz", "02-Feb-99 10:00", "QEDIT"}));
  // Only files below version 3 lose the higher range flags.
  EXPECT_EQ((std::vector<int>{read.Monochromator, read.RelatedReserved, read.LegacyRangeFlags}),
            (std::vector{102, 0, 0x13}));

  h.Magic[7] = '2';
  ASSERT_TRUE(ParseRawHeader(sink_, file, "old.raw", read));
  EXPECT_EQ(read.LegacyRangeFlags, 0x0001);
  RawRangeHeader range = ZeroRangeHeader();
  range.BackgroundPointCount = 75;
  range.LegacySamplePosition[0] = 1.5f;
  range.LegacySamplePosition[1] = 2.5f;
  range.RangeFlags = 0xFFFF;
  UpgradeRangeHeader(range, read, RangeReaderVariant::Workbench);
  EXPECT_EQ((std::vector<float>{static_cast<float>(range.RangeFlags), static_cast<float>(range.BackgroundPointCount),
                                range.SamplePosition2, range.BackgroundSmooth, range.ScaleFactor}),
            (std::vector<float>{1, 0, 2.5f, 1, 1}));

  // A version digit beyond the known ones gets no upgrade step at all.
  h.Magic[7] = '9';
  ASSERT_TRUE(ParseRawHeader(sink_, file, "new.raw", read));
  EXPECT_EQ((std::vector<int>{read.Monochromator, read.RelatedReserved}), (std::vector{4, 77}));
}

TEST_F(RawFileTest, ViewerCopyNormalisesTimesAndRecomputesEnds) {
  RawFileContext c = Write("v.raw", {Counts(11)});
  auto bytes = ReadBytes(c.Path);
  std::memcpy(&bytes[3 * 512], "05-Nov-26  9:00 ", 16);
  const float wrongEnd = 99.0f;
  std::memcpy(&bytes[3 * 512 + 52], &wrongEnd, 4);
  WriteBytes(c.Path, bytes);
  ASSERT_TRUE(Read(c, 1));
  EXPECT_EQ(r_.TwoThetaEnd, 99.0f);  // the workbench keeps what is stored
  ASSERT_TRUE(Read(c, 1, 11, RangeReaderVariant::Viewer));
  EXPECT_FLOAT_EQ(r_.TwoThetaEnd, 10.2f);
  EXPECT_EQ(FieldText(r_.CollectionStart), "05-Nov-26 9:00");
}

}  // namespace
}  // namespace km
