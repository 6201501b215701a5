#include "common/core/file_access.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/recording_sink.h"
#include "tests/support/temp_dir.h"

namespace km {
namespace {

namespace fs = std::filesystem;

class OpenFileReportTest : public testing::TempDirTest {
 protected:
  OpenFileReportTest() { testing::WriteBytes(file_, std::string("data")); }

  std::string Opened(const std::string& path, OpenMode mode, std::string_view typeWord = "Raw") {
    sink_.Clear();
    const bool ok = OpenFileReport(sink_, path, mode, typeWord).has_value();
    if (ok) return "opened";
    EXPECT_EQ(sink_.messages.size(), 1u);
    EXPECT_EQ(sink_.Last().icon, MessageIcon::Stop);
    return sink_.LastText();
  }

  std::string file_ = PathOf("sample.raw");
  testing::RecordingSink sink_;
};

TEST_F(OpenFileReportTest, MissingFileAndBadPath) {
  const std::string missing = PathOf("missing.raw");
  EXPECT_EQ(Opened(missing, OpenMode::Read), "Raw file does not exist.\n\n" + missing);
  EXPECT_EQ(Opened(missing, OpenMode::Read, ""), "File does not exist.\n\n" + missing);
  const std::string throughFile = file_ + "/inner.raw";
  EXPECT_EQ(Opened(throughFile, OpenMode::Create, "User"),
            "User file cannot be created (invalid file or path name).\n\n" + throughFile);
}

TEST_F(OpenFileReportTest, AccessDeniedForReadingAndWriting) {
  if (geteuid() == 0) GTEST_SKIP() << "permission bits deny nothing to root";
  chmod(file_.c_str(), 0);
  EXPECT_EQ(Opened(file_, OpenMode::Read), "Raw file cannot be opened (access denied).\n\n" + file_);
  EXPECT_EQ(Opened(file_, OpenMode::ReadWrite), "Raw file cannot be opened (no write access).\n\n" + file_);
  EXPECT_EQ(Opened(file_, OpenMode::Create), "Raw file cannot be created (no write access).\n\n" + file_);
}

TEST(OpenFailureText, AccessDeniedNamesWriteAccessWhenWriting) {
  EXPECT_EQ(DescribeOpenFailure(OpenFailure::AccessDenied, OpenMode::Read, "/d/a.usr", "User"),
            "User file cannot be opened (access denied).\n\n/d/a.usr");
  EXPECT_EQ(DescribeOpenFailure(OpenFailure::AccessDenied, OpenMode::ReadWrite, "/d/a.usr", "User"),
            "User file cannot be opened (no write access).\n\n/d/a.usr");
  EXPECT_EQ(DescribeOpenFailure(OpenFailure::Other, OpenMode::Create, "/d/a.raw", ""), "File cannot be created.\n\n/d/a.raw");
}

TEST_F(OpenFileReportTest, ExclusiveLockElsewhereIsASharingViolation) {
  const int holder = open(file_.c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(Opened(file_, OpenMode::Read), "Raw file cannot be opened (sharing violation).\n\n" + file_);
  EXPECT_EQ(Opened(file_, OpenMode::Create), "Raw file cannot be created (sharing violation).\n\n" + file_);
  EXPECT_EQ(fs::file_size(file_), 4u);  // the refused writer did not cut the file
  close(holder);
  EXPECT_EQ(Opened(file_, OpenMode::Read), "opened");
}

TEST_F(OpenFileReportTest, ReadersShareButKeepWritersOut) {
  auto reader = OpenFileReport(sink_, file_, OpenMode::Read, "Raw");
  ASSERT_TRUE(reader);
  EXPECT_EQ(Opened(file_, OpenMode::Read), "opened");
  EXPECT_EQ(Opened(file_, OpenMode::ReadWrite), "Raw file cannot be opened (sharing violation).\n\n" + file_);
}

}  // namespace
}  // namespace km
