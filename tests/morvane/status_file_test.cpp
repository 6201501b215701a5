#include "morvane/core/status_file.h"

#include <gtest/gtest.h>

#include "morvane/core/draw.h"
#include "morvane/core/file_set.h"
#include "tests/morvane/raw_set_fixture.h"
#include "tests/support/recording_canvas.h"

namespace morvane {
namespace {

using km::testing::RecordingCanvas;
using testing::RawSetTest;

class StatusFileTest : public RawSetTest {
 protected:
  std::string WriteText(const std::string& name, const std::string& text) {
    km::testing::WriteBytes(PathOf(name), text);
    return PathOf(name);
  }
  // A status file as written by hand: the header, then the lines given.
  std::string WriteStatus(const std::string& lines) {
    return WriteText("picture.kzs", "3DGraphics Status File\r\nMainWin:       10 10 650 410\r\n" + lines);
  }
  // Files A.001 to A.003, opened as a selection into st.
  void ThreeFileSelection(ViewerState& st) {
    st.File[0] = Dir();
    for (int i = 1; i <= 3; ++i) Write(st.File[i] = "A.00" + std::to_string(i));
    st.NumFiles = 4;
    EXPECT_TRUE(OpenFileSet(st, sink_, Dir()));
  }
  std::string MasterOfThree() {
    for (const char* name : {"RUN.001", "RUN.002", "RUN.003"}) Write(name);
    return Write("RUN.RAW", {}, 3, 1);
  }
};

// That the round trip draws the very same picture is checked on morvane-cli's PNG renders.
TEST_F(StatusFileTest, RoundTripKeepsTheSettingsInCrLfLines) {
  ViewerState st;
  ThreeFileSelection(st);
  st.Title = "  Heating  run ";
  st.StartColor = {10, 20, 30};
  st.DrawGrid = true;
  st.LabelPos = {3, 1, 2};
  ViewState view;
  RecordingCanvas dc;
  ASSERT_TRUE(Paint(dc, st, view, 800, 600));  // the ranges and faces as drawn
  const std::string path = PathOf("picture.kzs");
  ASSERT_TRUE(WriteStatusFile(st, sink_, path));
  const std::string text = FormatStatusFile(st);
  EXPECT_EQ(text.substr(0, 24), "3DGraphics Status File\r\n");
  EXPECT_NE(text.find("\r\nNumFiles:      4\r\nFile0:         " + Dir() + "\r\nFile1:         A.001\r\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

  ViewerState back;
  Rect window;
  ASSERT_TRUE(ReadStatusFile(back, sink_, path, &window));
  EXPECT_EQ(window, (Rect{10, 10, 640, 400}));
  EXPECT_EQ(back.Title, "Heating  run ");  // leading blanks go, inner and trailing ones stay
  back.Title = st.Title;
  back.ZAxisT = st.ZAxisT;  // written, never read: the next paint works them out
  EXPECT_EQ(FormatStatusFile(back), FormatStatusFile(st));  // every other line as written
}

TEST_F(StatusFileTest, ToleratesLfAndKeepsWhatIsMissing) {
  ViewerState st;
  ThreeFileSelection(st);
  const std::string path = WriteText("lf.kzs", "3DGraphics by hand\nMainWin:     1 2 3 4\nNumFiles:      4\n"
                                               "File0:         " + Dir() + "\nFile1:       A.001 ignored\nFile2:        A.002\n"
                                               "File3:          A.003\nPenColor:     300  -5  7\nControls4:      1\n"
                                               "Front:        1 2 3\n");
  st.Linear = false;
  ASSERT_TRUE(ReadStatusFile(st, sink_, path));
  EXPECT_EQ(st.NumDiagrams, 3);  // the file names as read, without what follows them
  EXPECT_EQ(st.PenColor, (Rgb{255, 0, 7}));
  EXPECT_TRUE(st.InvertZ);
  EXPECT_TRUE(st.Linear);  // no Controls3 line: the load's Linear stays
  EXPECT_EQ(st.Front, (Rect{1, 2, 3, 0}));
}

TEST_F(StatusFileTest, RefusalsLeaveThePlaceholderSet) {
  const std::string head = "3DGraphics Status File\r\nMainWin: 0 0 1 1\r\n", file0 = "File0:         /d\r\n";
  const std::pair<std::string, std::string> cases[] = {
      {"3DGraphicx Status File\r\n", "This is not a 3DGraphics Status File!"},
      {head + "NumFiles:      3\r\n" + file0 + "Flie1: x\r\n", "Error File 1!"},
      {head + "NumFiles:      2\r\n" + file0, "Error File 1!"},
      {head + "NumFiles:      1001\r\n", "Error NumFiles 1001!\n\nA Status File can list at most 1000 files."},
      {head + "NumFiles:      2\r\n" + file0 + "File1:         " + std::string(300, 'n') + "\r\n",
       "Error File 1!\n\nThe name is longer than 260 characters."},
  };
  for (const auto& [text, message] : cases) {
    sink_.messages.clear();
    ViewerState st;
    EXPECT_FALSE(ReadStatusFile(st, sink_, WriteText("bad.kzs", text)));
    ASSERT_EQ(sink_.messages.size(), 1u) << message;
    EXPECT_EQ(sink_.messages[0].text, message);
    EXPECT_EQ(sink_.messages[0].caption, kErrorBoxCaption);
    EXPECT_EQ(st.NumDiagrams, 20);
  }
  sink_.messages.clear();
  ViewerState st;
  EXPECT_FALSE(ReadStatusFile(st, sink_, PathOf("missing.kzs")));
  EXPECT_EQ(sink_.Texts(), std::vector<std::string>{" Can not open Status File!"});
}

TEST_F(StatusFileTest, AFileSetThatCannotBeOpenedStillTakesTheSettings) {
  ViewerState st;
  EXPECT_FALSE(ReadStatusFile(st, sink_, WriteStatus("NumFiles:      3\r\nFile0:         " + Dir() +
                                                     "\r\nFile1:         X.001\r\nFile2:         X.002\r\n"
                                                     "Controls3:      0   0   1   1 \r\nControls2:      0   1   1   1 \r\n")));
  EXPECT_EQ(sink_.Texts(), std::vector<std::string>{"No diagram could be loaded!"});
  EXPECT_EQ(st.NumDiagrams, 20);
  EXPECT_TRUE(st.TopView);
  EXPECT_TRUE(st.DrawGrid);
  EXPECT_EQ(st.Diagrams[0].Scaling, 2);

  // An empty file list too; a file that is no status file reads no settings.
  bool settingsRead = false;
  const std::string path = WriteStatus("NumFiles:      0\r\nTitle:        Nothing yet\r\n");
  EXPECT_FALSE(ReadStatusFile(st, sink_, path, nullptr, &settingsRead));
  EXPECT_TRUE(settingsRead);
  EXPECT_EQ(st.Title, "Nothing yet");
  km::testing::WriteBytes(path, std::string("Something else\r\n"));
  EXPECT_FALSE(ReadStatusFile(st, sink_, path, nullptr, &settingsRead));
  EXPECT_FALSE(settingsRead);
}

// A master file alone in the list is rendered by morvane-cli; a stray second entry goes unread.
TEST_F(StatusFileTest, MasterFileInTheFirstEntryLoadsItsRelatedFiles) {
  const std::string master = MasterOfThree();
  ViewerState st;
  ASSERT_TRUE(ReadStatusFile(st, sink_, WriteStatus("NumFiles:      2\r\nFile0:         " + master + "\r\nFile1:         RUN.001\r\n")));
  EXPECT_EQ(st.NumDiagrams, 3);
  EXPECT_EQ(st.File[3], "RUN.003");
  EXPECT_EQ(st.MasterPath, master);
}

// The writer's Busy switch must not stop every paint, and a user Z axis gets ticks it can draw.
TEST_F(StatusFileTest, UserZAxisGetsTicksItCanDrawAndBusyIsIgnored) {
  ViewerState st;
  ASSERT_TRUE(ReadStatusFile(st, sink_, WriteStatus("NumFiles:      1\r\nFile0:         " + MasterOfThree() + "\r\n"
                                                    "Controls1:      1   1   0   1 \r\nControls2:      0   1   1   0 \r\n")));
  ASSERT_TRUE(st.UserZAxis);
  EXPECT_FALSE(st.Busy);
  ViewState view;
  RecordingCanvas dc;
  ASSERT_TRUE(Paint(dc, st, view, 640, 400));
  EXPECT_GT(st.ZAxisT.increment, 0.0f);
  EXPECT_TRUE(st.ZAxisT.count > 0 && st.ZAxisT.count < 100);
  EXPECT_NE(FormatStatusFile(st).find("Controls2:      0   0   1   0 "), std::string::npos);  // written not Busy
  // Ticks the user typed stay as typed.
  st.ZAxisT = {1.0f, 0.5f, 0};
  ASSERT_TRUE(Paint(dc, st, view, 640, 400));
  EXPECT_EQ(st.ZAxisT, (Ticks{1.0f, 0.5f, 4}));  // Z runs 1..3
}

}  // namespace
}  // namespace morvane
