#include "keltor/core/exchange/foreign_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/keltor/foreign_file_builders.h"
#include "tests/keltor/workbench_test_support.h"

namespace keltor::testing {
namespace {

class ForeignImportTest : public WorkbenchFixture {
 protected:
  std::string WriteForeign(const std::string& name, const std::vector<uint8_t>& bytes) {
    km::testing::WriteBytes(PathOf(name), bytes);
    return PathOf(name);
  }
  std::string SiemensWithRanges(const std::string& name, int count) {
    SiemensFile file;
    for (int k = 1; k <= count; ++k) file.Add({.points = 10 + k, .begin = 5.0f * k, .first = 100.0f * k});
    return WriteForeign(name, file.bytes);
  }
};

TEST(ImportNames, FormatsAndTargets) {
  const std::pair<const char*, ImportFormat> formats[] = {
      {"D:\\DATA\\SCAN.RAW", ImportFormat::SiemensRaw}, {"scan.rat", ImportFormat::SiemensRaw},
      {"ZEOLITE.udf", ImportFormat::Udf}, {"DATA.TXT", ImportFormat::None}, {"udf", ImportFormat::None},
      {"dir.udf/file", ImportFormat::None}};
  for (const auto& [name, format] : formats) EXPECT_EQ(ImportFormatOf(name), format) << name;
  EXPECT_EQ(ImportTargetName("/a.b/scan"), "/a.b/scan.raw");
  EXPECT_EQ(SplitFileName("D:\\DATA\\SCAN", 12), "D:\\DATA\\SCAN.012");
}

// The target chosen replaces an older file there whole.
TEST_F(ForeignImportTest, UdfIsWrittenAndOpened) {
  WriteFile("zeo.raw", 5, "Old");
  const std::string udf = WriteForeign("ZEO.UDF", Bytes(UdfText(UdfKeywords(), {"1, 2, 3,", "4/"})));
  ui_.openAnswers.push_back(OpenFileChoice{udf, 1});
  ui_.saveAnswers.push_back(PathOf("zeo.raw"));
  OnFileImport(wb_);
  EXPECT_EQ(ui_.saveRequests.at(0).ProposedName, PathOf("ZEO.raw"));
  EXPECT_TRUE(ui_.sink.messages.empty());
  EXPECT_EQ(wb_.File.DocumentPath, PathOf("zeo.raw"));
  EXPECT_EQ(RangesOf(PathOf("zeo.raw")), (std::vector<std::pair<float, int>>{{1, 4}}));
  // Nothing is left behind beside the target.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 3);  // ZEO.UDF, zeo.raw, tmp
}

// Split files go beside the import file, or into the folder asked for.
TEST_F(ForeignImportTest, TwelveSiemensRangesGoIntoTwelveFiles) {
  std::filesystem::create_directory(dir_ / "out");
  const ImportResult result = ImportForeignFile(wb_, SiemensWithRanges("SCAN.RAW", 12), PathOf("out"));
  EXPECT_TRUE(result.Imported && !result.Opened);
  EXPECT_TRUE(ui_.saveRequests.empty());
  EXPECT_EQ(result.Written.size(), 12u);
  EXPECT_EQ(RangesOf(PathOf("out/SCAN.012")), (std::vector<std::pair<float, int>>{{1200, 22}}));
  EXPECT_EQ(ui_.sink.Texts(), std::vector<std::string>{"had extracted 12 ranges from Siemens-Rawfile\n into " +
                                                       PathOf("out/SCAN") + ".xxx"});
  EXPECT_TRUE(wb_.File.DocumentPath.empty());
}

// Old files where the split files 2 to 11 go, the second of three ranges; the question lists nine of them.
TEST_F(ForeignImportTest, SplitImportAsksWhenAnyTargetExistsAndWritesEveryFileAnew) {
  for (int k = 2; k <= 11; ++k) WriteFile(SplitFileName("SCAN", k), k == 2 ? 3 : 1, "Old title");
  const std::string raw = SiemensWithRanges("SCAN.RAW", 11);
  ImportForeignFile(wb_, raw);
  std::string expected = "the files \n";
  for (int k = 2; k <= 10; ++k) expected += PathOf(SplitFileName("SCAN", k)) + "\n";
  EXPECT_EQ(ui_.sink.Texts(), std::vector<std::string>{expected + "... \n already exist!\n\n Overwrite ? "});
  EXPECT_FALSE(std::filesystem::exists(PathOf("SCAN.001")));  // No: nothing written
  EXPECT_EQ(RangesOf(PathOf("SCAN.002")).size(), 3u);

  ui_.sink.messages.clear();
  ui_.sink.Answer({true});
  ImportForeignFile(wb_, raw);
  EXPECT_EQ(RangesOf(PathOf("SCAN.002")), (std::vector<std::pair<float, int>>{{200, 12}}));
  km::RawFileHeader h;
  ASSERT_TRUE(km::ReadRawHeader(ui_, PathOf("SCAN.002"), h));
  EXPECT_EQ(+h.TotalPointCount, 12);  // a copy: packed header fields may lie unaligned
  EXPECT_EQ(km::FieldText(h.Title), "CORKLZ20");
}

TEST_F(ForeignImportTest, TheImportFileIsNeverItsOwnTarget) {
  const std::string raw = SiemensWithRanges("X.raw", 1);
  const auto before = km::testing::ReadBytes(raw);
  ui_.saveAnswers.push_back(raw);
  EXPECT_FALSE(ImportForeignFile(wb_, raw).Imported);
  EXPECT_EQ(ui_.sink.Texts(), std::vector<std::string>{"The imported file cannot be written over the file it is "
                                                       "imported from:\n" + raw + "\n\n Please choose another name."});
  EXPECT_EQ(km::testing::ReadBytes(raw), before);
}

TEST_F(ForeignImportTest, CancelAndRefusalsWriteNothing) {
  const std::string udf = WriteForeign("A.udf", Bytes(UdfText(UdfKeywords(), {"1"})));
  EXPECT_FALSE(ImportForeignFile(wb_, udf).Imported);  // target dialog cancelled
  const std::string bad = WriteForeign("B.udf", Bytes(UdfText(UdfKeywords(), {})));
  ui_.saveAnswers.push_back(PathOf("B.raw"));
  EXPECT_FALSE(ImportForeignFile(wb_, bad).Imported);
  EXPECT_EQ(ui_.saveRequests.size(), 1u);  // the refused file asked for no target
  const std::string text = WriteForeign("C.TXT", Bytes("SampleIdent,x,/"));
  EXPECT_FALSE(ImportForeignFile(wb_, text).Imported);
  EXPECT_EQ(ui_.sink.Texts(), (std::vector<std::string>{"Importfile contains no data!"}));
  EXPECT_FALSE(ImportForeignFile(wb_, PathOf("missing.udf")).Imported);
  EXPECT_EQ(ui_.sink.messages.size(), 2u);
  for (const char* name : {"A.raw", "B.raw", "C.raw"}) EXPECT_FALSE(std::filesystem::exists(PathOf(name)));
  EXPECT_EQ(observer_.fileChanged, 0);
}

// A few Siemens ranges go into one file, opened once pending changes were offered for saving.
TEST_F(ForeignImportTest, ThreeSiemensRangesGoIntoOneFileAfterPendingChangesWereOffered) {
  Open(WriteFile("open.raw", 2));
  wb_.File.IsModified = true;
  ui_.saveAnswers.push_back(PathOf("scan3.raw"));
  ui_.sink.Answer({false});
  EXPECT_TRUE(ImportForeignFile(wb_, SiemensWithRanges("SCAN.RAT", 3)).Opened);
  EXPECT_EQ(ui_.sink.messages.size(), 1u);  // the question, answered No
  EXPECT_EQ(RangesOf(PathOf("scan3.raw")), (std::vector<std::pair<float, int>>{{100, 11}, {200, 12}, {300, 13}}));
  EXPECT_EQ(wb_.File.DocumentPath, PathOf("scan3.raw"));
  EXPECT_FALSE(wb_.File.IsModified);
}

// The instrument sample against its ASCII twin, point by point.
TEST_F(ForeignImportTest, SiemensSampleMatchesItsAsciiTwin) {
  const std::string samples = KM_SAMPLES_DIR "/bruker_raw_v2/";
  if (!std::filesystem::exists(samples + "CORKLZ20.RAW")) GTEST_SKIP() << "no instrument samples";
  ui_.saveAnswers.push_back(PathOf("cork.raw"));
  ASSERT_TRUE(ImportForeignFile(wb_, samples + "CORKLZ20.RAW").Opened);
  EXPECT_TRUE(ui_.sink.messages.empty());
  km::RawFileContext context;
  context.Path = PathOf("cork.raw");
  km::RawRangeHeader r;
  std::vector<float> data(km::kWorkbenchMaxPoints);
  ASSERT_TRUE(km::ReadRawRange(ui_, context, 1, r, data));
  EXPECT_EQ(km::FieldText(context.Header.Title), "CORKLZ20");
  std::ifstream twin(samples + "corklz20.asc");
  double angle = 0, intensity = 0;
  int n = 0;
  while (twin >> angle >> intensity) {
    ASSERT_LT(n, r.PointCount);
    EXPECT_NEAR(r.TwoThetaBegin + n * r.TwoThetaStep, angle, 1e-3) << n;
    EXPECT_EQ(data[static_cast<size_t>(n)], intensity) << n;
    ++n;
  }
  EXPECT_EQ(n, 2501);
  EXPECT_EQ(+r.PointCount, n);
}

}  // namespace
}  // namespace keltor::testing
