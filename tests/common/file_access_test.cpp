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
  const std::string missing = PathOf("missing.raw"), throughFile = file_ + "/inner.raw";
  EXPECT_EQ(Opened(missing, OpenMode::Read), "Raw file does not exist.\n\n" + missing);
  EXPECT_EQ(Opened(missing, OpenMode::Read, ""), "File does not exist.\n\n" + missing);
  EXPECT_EQ(Opened(throughFile, OpenMode::Create, "User"),
            "User file cannot be created (invalid file or path name).\n\n" + throughFile);
}

TEST_F(OpenFileReportTest, AccessDeniedForReadingAndWriting) {
  EXPECT_EQ(DescribeOpenFailure(OpenFailure::AccessDenied, OpenMode::Read, "/d/a.usr", "User"),
            "User file cannot be opened (access denied).\n\n/d/a.usr");
  EXPECT_EQ(DescribeOpenFailure(OpenFailure::AccessDenied, OpenMode::ReadWrite, "/d/a.usr", "User"),
            "User file cannot be opened (no write access).\n\n/d/a.usr");
  EXPECT_EQ(DescribeOpenFailure(OpenFailure::Other, OpenMode::Create, "/d/a.raw", ""), "File cannot be created.\n\n/d/a.raw");
  if (geteuid() == 0) GTEST_SKIP() << "permission bits deny nothing to root";
  chmod(file_.c_str(), 0);
  EXPECT_EQ(Opened(file_, OpenMode::Read), "Raw file cannot be opened (access denied).\n\n" + file_);
  EXPECT_EQ(Opened(file_, OpenMode::ReadWrite), "Raw file cannot be opened (no write access).\n\n" + file_);
  EXPECT_EQ(Opened(file_, OpenMode::Create), "Raw file cannot be created (no write access).\n\n" + file_);
}

TEST_F(OpenFileReportTest, ExclusiveLockElsewhereIsASharingViolationAndReadersKeepWritersOut) {
  const int holder = open(file_.c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(Opened(file_, OpenMode::Read), "Raw file cannot be opened (sharing violation).\n\n" + file_);
  EXPECT_EQ(Opened(file_, OpenMode::Create), "Raw file cannot be created (sharing violation).\n\n" + file_);
  EXPECT_EQ(fs::file_size(file_), 4u);  // the refused writer did not cut the file
  close(holder);
  auto reader = OpenFileReport(sink_, file_, OpenMode::Read, "Raw");
  ASSERT_TRUE(reader);
  EXPECT_EQ(Opened(file_, OpenMode::Read), "opened");
  EXPECT_EQ(Opened(file_, OpenMode::ReadWrite), "Raw file cannot be opened (sharing violation).\n\n" + file_);
}

}  // namespace
}  // namespace km
