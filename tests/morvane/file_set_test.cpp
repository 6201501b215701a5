#include "morvane/core/file_set.h"

#include <gtest/gtest.h>

#include <ctime>

#include "morvane/core/colour_gradient.h"
#include "tests/morvane/raw_set_fixture.h"

namespace morvane {
namespace {

using testing::RawSetTest;
using testing::ScanSpec;

class FileSetTest : public RawSetTest {
 protected:
  void SetUp() override {
    RawSetTest::SetUp();
    state_.Gradient = BuildGradient(state_.StartColor, state_.MeanColor, state_.EndColor);
  }
  // A selection as the open dialog hands it over: the directory, then the names.
  bool OpenSelection(const std::vector<std::string>& names) {
    state_.File[0] = Dir();
    for (size_t i = 0; i < names.size(); ++i) state_.File[i + 1] = names[i];
    state_.NumFiles = static_cast<int>(names.size()) + 1;
    return OpenFileSet(state_, sink_, Dir());
  }
  ViewerState state_;
};

TEST_F(FileSetTest, MasterFileLoadsItsRelatedFilesAndSkipsAGap) {
  const std::string master = Write("RUN.raw", {}, 3, 5, 0, "this file has no title !");
  Write("RUN.005");
  Write("RUN.007");
  ASSERT_TRUE(OpenFileSet(state_, sink_, master));
  EXPECT_TRUE(sink_.messages.empty());
  ASSERT_EQ(state_.NumDiagrams, 2);
  EXPECT_EQ(state_.File[2], "RUN.007");
  // N from the names; the second diagram is list position 2 for its colour (255 / 4 per position).
  EXPECT_EQ(state_.Diagrams[1].Z[0], 7);
  EXPECT_EQ(state_.Diagrams[1].Z[1], 2);
  EXPECT_EQ(state_.Diagrams[1].Color, state_.Gradient[127]);
  EXPECT_EQ(state_.Title, "");  // the placeholder title in any letter case
}

TEST_F(FileSetTest, ScanUsageChoosesTheDepthValues) {
  // A temperature series: the number in the name, the temperature, the hours since the first scan.
  Write("T.001");
  Write("T.002", {.temperature = 300, .collectionStart = "05-Mar-24 16:37"});
  ASSERT_TRUE(OpenFileSet(state_, sink_, Write("T.raw", {}, 2, 1, 4)));
  EXPECT_EQ(state_.ZAxis[1], "Z axis = Temperature [\xB0" "C]");
  EXPECT_EQ(state_.Diagrams[1].Z, (std::array<float, 3>{2, 300, 2.5f}));

  // Variable omega: the position in the list (not the number in the name) and the omega position.
  Write("O.002", {.omegaPosition = 12.5f});
  Write("O.003", {.omegaPosition = 12.5f});
  ASSERT_TRUE(OpenFileSet(state_, sink_, Write("O.raw", {}, 2, 2, 2)));
  EXPECT_EQ(state_.ZAxis[1], "Z axis = Omega [\xB0]");
  EXPECT_EQ(state_.ZAxis[2], "Z axis = Time  [h]");
  EXPECT_EQ(state_.Diagrams[1].Z[0], 1);
  EXPECT_EQ(state_.Diagrams[1].Z[1], 12.5f);
}

TEST_F(FileSetTest, EveryDiagramHoldsTheLongestRangeReadWhole) {
  const ScanSpec s{.points = 30000, .end = 160};  // longer than the old scratch buffer
  Write("P.001", s);
  Write("P.002", {.points = 400, .end = 160});
  ASSERT_TRUE(OpenFileSet(state_, sink_, Write("P.raw", {}, 2)));
  const Diagram& d = state_.Diagrams[0];
  EXPECT_FLOAT_EQ(d.XStep, 0.005f);  // range over the point count, not count - 1
  EXPECT_EQ(d.Points[15000].Intensity, s.peak);
  EXPECT_EQ(d.Points[1].Intensity, 0);  // stored -1 becomes 0
  EXPECT_EQ(state_.Diagrams[1].Capacity, 30000);
  EXPECT_EQ(state_.Diagrams[1].Points[400].Intensity, 0);
}

TEST_F(FileSetTest, RefusalsAndTheirMessages) {
  // A raw data file that names no related files.
  const std::string single = Write("S.raw");
  EXPECT_FALSE(OpenFileSet(state_, sink_, single));
  ASSERT_EQ(sink_.messages.size(), 1u);
  EXPECT_EQ(sink_.messages[0].text, "This is not a master file for 3d graphics!");
  EXPECT_EQ(sink_.messages[0].icon, km::MessageIcon::Stop);
  EXPECT_EQ(state_.NumDiagrams, 20);  // the placeholder set

  // A master file inside a selection.
  sink_.messages.clear();
  Write("M.raw", {}, 3);
  EXPECT_FALSE(OpenSelection({"S.raw", "M.raw"}));
  EXPECT_EQ(sink_.Texts(), (std::vector<std::string>{"Jetzt ist aber gut!", "2Masterfiles koennen nicht geladen werden!"}));
  EXPECT_EQ(sink_.messages[0].caption, kErrorBoxCaption);

  // A name without ".raw" or ".RAW" and no selection: false without a message.
  sink_.messages.clear();
  state_.NumFiles = 1;
  EXPECT_FALSE(OpenFileSet(state_, sink_, PathOf("X.Raw")));
  EXPECT_TRUE(sink_.messages.empty());
}

// Files without digits are numbered by their list position; one of another scan type is skipped.
TEST_F(FileSetTest, SelectionNumbersFilesByPositionAndSkipsAnotherScanType) {
  Write("A.RAW");
  Write("B.RAW", {.scanType = 2});
  Write("C.RAW");
  ASSERT_TRUE(OpenSelection({"A.RAW", "B.RAW", "C.RAW"}));
  EXPECT_EQ(sink_.Texts(), std::vector<std::string>{"The selected files have different scan types!\nFile skipped"});
  ASSERT_EQ(state_.NumDiagrams, 2);
  EXPECT_EQ(state_.Diagrams[1].Name, PathOf("C.RAW"));
  EXPECT_EQ(state_.Diagrams[1].Z[0], 1);  // N counts the diagrams loaded ...
  EXPECT_EQ(state_.Diagrams[1].Z[1], 3);  // ... the colour position is still the list's
  EXPECT_EQ(state_.ZAxis[2], "Z axis = Time [h]");
  EXPECT_TRUE(state_.RecentSets.empty());  // only master files are remembered
}

TEST(ParseTimeStamp, YearRuleAndUnreadableStamps) {
  auto yearOf = [](const char* text) {
    const std::time_t t = static_cast<std::time_t>(ParseTimeStamp(text));
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm.tm_year + 1900;
  };
  EXPECT_EQ(yearOf("01-Jan-69 12:00"), 2069);
  EXPECT_EQ(yearOf("01-Jan-70 12:00"), 1970);
  EXPECT_EQ(ParseTimeStamp("05-Mar-?4 14:07"), 0);
  EXPECT_EQ(ParseTimeStamp("05-Mrz-24 14:07"), 0);  // no English month
  EXPECT_EQ(ParseTimeStamp("05-Mar-24"), 0);
}

TEST(RecentSets, NewestFirstWithoutDuplicatesAtMostEight) {
  ViewerState st;
  for (int i = 0; i < 9; ++i) AddRecentSet(st, "/d/s" + std::to_string(i) + ".raw");
  ASSERT_EQ(st.RecentSets.size(), 8u);
  AddRecentSet(st, "/D/S3.RAW");
  EXPECT_EQ(st.RecentSets.front(), "/D/S3.RAW");
  EXPECT_EQ(st.RecentSets.back(), "/d/s1.raw");  // the old entry went, not the oldest
}

TEST(TakeSelection, SplitsTheDialogBufferAtNuls) {
  ViewerState st;
  const char multi[] = "/data\0a.raw\0b.raw\0\0\0";
  TakeSelection(st, std::span(multi, sizeof multi));
  EXPECT_EQ(st.NumFiles, 3);
  EXPECT_EQ(st.File[2], "b.raw");
  const char single[] = "/data/m.raw\0\0";
  TakeSelection(st, std::span(single, sizeof single));
  EXPECT_EQ(st.File[0], "/data/m.raw");
  EXPECT_EQ(RelatedFilePath("/data/RUN.RAW", 7), "/data/RUN.007");
}

}  // namespace
}  // namespace morvane
