#include "common/core/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>

#include "tests/support/temp_dir.h"

namespace km {
namespace {

namespace fs = std::filesystem;

std::string Abbreviated(std::string path, int maxLength) {
  AbbreviatePath(path, maxLength);
  return path;
}

using PathFiles = testing::TempDirTest;
using testing::ReadBytes;
using testing::WriteBytes;

TEST(Paths, DirectoryNameAndExtensionWithEitherSeparator) {
  EXPECT_EQ(DirectoryOf("/data/x.raw"), "/data");
  EXPECT_EQ(DirectoryOf("/x.raw"), "/");
  EXPECT_EQ(DirectoryOf("C:\\x.raw"), "C:\\");
  EXPECT_EQ(DirectoryOf("x.raw"), "");
  EXPECT_EQ(FileNameOf("C:\\data/x.raw"), "x.raw");
  EXPECT_EQ(ExtensionOf("C:\\data\\x.r01"), "r01");
  EXPECT_EQ(ExtensionOf("C:\\da.ta\\name"), "");
  EXPECT_EQ(JoinPath("/", "x.raw"), "/x.raw");
}

TEST(Paths, AbbreviateDrivePath) {
  const std::string path = "C:\\data\\xrd\\2024\\sample.raw";  // 27 characters
  EXPECT_EQ(Abbreviated(path, 27), path);
  EXPECT_EQ(Abbreviated(path, 20), "C:\\data\\...\\sample.raw");
  EXPECT_EQ(Abbreviated(path, 19), "sample.raw");
  EXPECT_EQ(Abbreviated(path, 8), "C:\\d...");
}

TEST(Paths, AbbreviateNetworkAndPosixPaths) {
  const std::string network = "\\\\server\\share\\dir\\sub\\f.raw";
  EXPECT_EQ(Abbreviated(network, 23), "\\\\server\\share\\...\\f.raw");
  EXPECT_EQ(Abbreviated(network, 21), "f.raw");
  EXPECT_EQ(Abbreviated("/home/user/data/file.raw", 20), "/home/.../file.raw");
}

TEST(Paths, AbbreviateNeverOverrunsOnTinyOrOddInput) {
  for (const std::string path : {"\\\\server", "\\\\server\\f.raw", "C:\\f.raw", "ab\\cdef", "abcdefgh", "/", "", "\\\\\\x",
                                 "C:\\dir\\"}) {
    for (int m : {INT_MIN, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8}) {
      const std::string out = Abbreviated(path, m);
      EXPECT_LE(out.size(), std::max<size_t>(path.size(), 3)) << path << " " << m;
    }
  }
  EXPECT_EQ(Abbreviated("abcdefgh", 2), "...");
}

TEST_F(PathFiles, MakeTempFileNameCreatesAUniqueEmptyFileInTmpdir) {
  testing::ScopedEnv tmp("TMPDIR", Dir());
  const std::string a = MakeTempFileName("RAW");
  const std::string b = MakeTempFileName("RAW");
  EXPECT_NE(a, b);
  EXPECT_EQ(fs::path(a).parent_path(), dir_);
  EXPECT_EQ(FileNameOf(a).substr(0, 3), "RAW");
  EXPECT_EQ(fs::file_size(a), 0u);  // made, so that no one else takes the name
  ::setenv("TMPDIR", PathOf("missing").c_str(), 1);  // restored by tmp
  EXPECT_EQ(MakeTempFileName("RAW"), "");
}

TEST_F(PathFiles, CopyReplacesTargetOnlyWhenComplete) {
  const fs::path source = dir_ / "source.raw", target = dir_ / "target.raw";
  const std::vector<uint8_t> content{0, 'n', 'e', 'w', '\r', '\n'}, old{'o', 'l', 'd'};
  WriteBytes(source, content);
  WriteBytes(target, old);
  ASSERT_TRUE(CopyFileTo(source, target));
  EXPECT_EQ(ReadBytes(target), content);

  // A source that fails while being read (a directory) and one that is missing leave the target alone.
  WriteBytes(target, old);
  EXPECT_FALSE(CopyFileTo(Dir(), target));
  EXPECT_FALSE(CopyFileTo(PathOf("missing"), target));
  EXPECT_FALSE(CopyFileTo(source, PathOf("no/such.raw")));
  EXPECT_EQ(ReadBytes(target), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2);  // no temporary left behind
}

TEST_F(PathFiles, ReadOnlyMarkIsSeenEvenByRoot) {
  const fs::path file = dir_ / "f.raw";
  WriteBytes(file, std::string("x"));
  chmod(file.c_str(), 0444);
  EXPECT_TRUE(IsReadOnlyFile(file));
  EXPECT_TRUE(ClearReadOnly(file));
  EXPECT_FALSE(IsReadOnlyFile(file));
}

}  // namespace
}  // namespace km
