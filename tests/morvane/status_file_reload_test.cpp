// Status files as a new user writes them by hand or finds them: a master file in the first entry,
// an empty file list, a user Z axis, the Busy switch of the program that wrote the file.
#include <gtest/gtest.h>

#include "morvane/core/draw.h"
#include "morvane/core/file_set.h"
#include "morvane/core/status_file.h"
#include "tests/morvane/raw_set_fixture.h"
#include "tests/support/recording_canvas.h"

namespace morvane {
namespace {

using km::testing::RecordingCanvas;
using testing::RawSetTest;

class StatusFileReloadTest : public RawSetTest {
 protected:
  std::string WriteStatus(const std::string& fileLines, const std::string& settings = "") {
    const std::string path = PathOf("picture.kzs");
    km::testing::WriteBytes(path, "3DGraphics Status File\r\nMainWin:       10 10 650 410\r\n" + fileLines + settings);
    return path;
  }
  void MasterOfThree() {
    Write("RUN.RAW", {}, 3, 1);
    for (const char* name : {"RUN.001", "RUN.002", "RUN.003"}) Write(name);
  }
};

TEST_F(StatusFileReloadTest, MasterFileInTheFirstEntryLoadsItsRelatedFiles) {
  MasterOfThree();
  for (const std::string count : {"1", "2"}) {  // with or without a stray second entry
    ViewerState st;
    const std::string path =
        WriteStatus("NumFiles:      " + count + "\r\nFile0:         " + PathOf("RUN.RAW") + "\r\n" +
                    (count == "2" ? "File1:         RUN.001\r\n" : ""), "Title:        Kept\r\n");
    ASSERT_TRUE(ReadStatusFile(st, sink_, path)) << count;
    EXPECT_EQ(st.NumDiagrams, 3);
    EXPECT_EQ(st.NumFiles, 4);
    EXPECT_EQ(st.File[0], Dir());
    EXPECT_EQ(st.File[3], "RUN.003");
    EXPECT_EQ(st.MasterPath, PathOf("RUN.RAW"));
    EXPECT_EQ(st.Title, "Kept");
    EXPECT_TRUE(sink_.Texts().empty());
  }
}

TEST_F(StatusFileReloadTest, EmptyFileListKeepsThePlaceholderSetWithTheSettings) {
  ViewerState st;
  bool settingsRead = false;
  const std::string path = WriteStatus("NumFiles:      0\r\n", "Title:        Nothing yet\r\nControls4:      1 \r\n");
  EXPECT_FALSE(ReadStatusFile(st, sink_, path, nullptr, &settingsRead));
  EXPECT_TRUE(settingsRead);
  EXPECT_EQ(st.NumDiagrams, 20);
  EXPECT_EQ(st.Title, "Nothing yet");
  EXPECT_TRUE(st.InvertZ);
  ViewState view;
  RecordingCanvas dc;
  EXPECT_TRUE(Paint(dc, st, view, 640, 400));

  // A file that is no status file reads no settings.
  km::testing::WriteBytes(path, std::string("Something else\r\n"));
  EXPECT_FALSE(ReadStatusFile(st, sink_, path, nullptr, &settingsRead));
  EXPECT_FALSE(settingsRead);
}

// The writer's Busy switch must not stop every paint, and a user Z axis gets ticks it can draw.
TEST_F(StatusFileReloadTest, UserZAxisGetsTicksItCanDrawAndBusyIsIgnored) {
  MasterOfThree();
  ViewerState st;
  const std::string path = WriteStatus("NumFiles:      1\r\nFile0:         " + PathOf("RUN.RAW") + "\r\n",
                                       "Controls1:      1   1   0   1 \r\nControls2:      0   1   1   0 \r\n");
  ASSERT_TRUE(ReadStatusFile(st, sink_, path));
  ASSERT_TRUE(st.UserZAxis);
  EXPECT_FALSE(st.Busy);
  ViewState view;
  RecordingCanvas dc;
  ASSERT_TRUE(Paint(dc, st, view, 640, 400));
  EXPECT_GT(st.ZAxisT.increment, 0.0f);
  EXPECT_GT(st.ZAxisT.count, 0);
  EXPECT_LT(st.ZAxisT.count, 100);
  const std::string text = FormatStatusFile(st);
  EXPECT_NE(text.find("Controls2:      0   0   1   0 "), std::string::npos);
  const std::string ticks = text.substr(text.find("ZAxisT:"));
  EXPECT_EQ(ticks.find(" 0.000000 "), std::string::npos) << ticks;

  // Ticks the user typed stay as typed.
  st.ZAxisT = {1.0f, 0.5f, 0};
  ASSERT_TRUE(Paint(dc, st, view, 640, 400));
  EXPECT_EQ(st.ZAxisT, (Ticks{1.0f, 0.5f, 4}));  // Z runs 1..3
}

}  // namespace
}  // namespace morvane
