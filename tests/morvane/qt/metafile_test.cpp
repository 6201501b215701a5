// Save Metafile: a real Enhanced Metafile of the picture at the client size, and a file in use left alone.
#include "morvane/qt/metafile.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/core/file_access.h"
#include "morvane/core/file_set.h"
#include "tests/support/qt_environment.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_dir.h"

namespace morvane {
namespace {

class MetafileTest : public km::testing::TempDirTest {
 protected:
  int32_t At(const std::string& bytes, size_t offset) {
    int32_t v = 0;
    std::memcpy(&v, bytes.data() + offset, 4);
    return v;
  }
  km::testing::RecordingSink sink_;
  ViewerState st;
  ViewState view;
};

TEST_F(MetafileTest, HeaderSaysThePictureAndItsSize) {
  CreateDemoSet(st);
  const std::string path = PathOf("picture.emf");
  ASSERT_TRUE(SaveMetafile(sink_, path, st, view, 800, 600));
  const auto bytes = km::ReadWholeFile(path, 1 << 24);
  ASSERT_TRUE(bytes && bytes->size() > 1000);
  EXPECT_EQ(At(*bytes, 0), 1);  // the header record; its signature is checked with morvane-cli render
  EXPECT_EQ(At(*bytes, 48), static_cast<int32_t>(bytes->size()));
  // The frame (hundredths of a millimetre) holds 800 x 600 pixels of the reference device.
  EXPECT_NEAR(At(*bytes, 32) * At(*bytes, 72) / (At(*bytes, 80) * 100.0), 800, 1);
  EXPECT_NEAR(At(*bytes, 36) * At(*bytes, 76) / (At(*bytes, 84) * 100.0), 600, 1);
  EXPECT_EQ(view.ClientWidth, 800);  // drawn at the client size
}

TEST_F(MetafileTest, FileInUseIsRefusedAndKept) {
  CreateDemoSet(st);
  const std::string path = PathOf("held.emf");
  km::testing::WriteBytes(path, std::string("old picture"));
  {
    const km::OpenResult reader = km::OpenFileQuiet(path, km::OpenMode::Read);  // another program reads it
    ASSERT_TRUE(reader.file);
    EXPECT_FALSE(SaveMetafile(sink_, path, st, view, 640, 400));
  }
  EXPECT_EQ(sink_.Texts(), std::vector<std::string>{"Cannot write metafile - file in use."});
  EXPECT_EQ(km::ReadWholeFile(path, 100), "old picture");
}

TEST_F(MetafileTest, NothingToDrawWritesNothing) {  // no set: the window shows nothing either
  EXPECT_FALSE(SaveMetafile(sink_, PathOf("empty.emf"), st, view, 640, 400));
  EXPECT_FALSE(km::FileTest(PathOf("empty.emf"), km::kFileMustExist));
}

}  // namespace
}  // namespace morvane
