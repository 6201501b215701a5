#include "common/core/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace km {
namespace {

namespace fs = std::filesystem;

std::string Abbreviated(std::string path, int maxLength) {
  AbbreviatePath(path, maxLength);
  return path;
}

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

class PathFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "km_paths_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST(Paths, DirectoryNameAndExtensionWithEitherSeparator) {
  EXPECT_EQ(DirectoryOf("/data/x.raw"), "/data");
  EXPECT_EQ(DirectoryOf("/x.raw"), "/");
  EXPECT_EQ(DirectoryOf("C:\\x.raw"), "C:\\");
  EXPECT_EQ(DirectoryOf("C:\\data\\x.raw"), "C:\\data");
  EXPECT_EQ(DirectoryOf("x.raw"), "");
  EXPECT_EQ(FileNameOf("C:\\data/x.raw"), "x.raw");
  EXPECT_EQ(ExtensionOf("C:\\data\\x.r01"), "r01");
  EXPECT_EQ(ExtensionOf("C:\\da.ta\\name"), "");
  EXPECT_EQ(JoinPath("/", "x.raw"), "/x.raw");
}

TEST(Paths, AbbreviateDrivePath) {
  const std::string path = "C:\\data\\xrd\\2024\\sample.raw";  // 27 characters
  EXPECT_EQ(Abbreviated(path, 27), path);
  EXPECT_EQ(Abbreviated(path, 24), "C:\\data\\...\\sample.raw");
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
  const char* old = std::getenv("TMPDIR");
  const std::string saved = old ? old : "";
  setenv("TMPDIR", dir_.c_str(), 1);
  const std::string a = MakeTempFileName("RAW");
  const std::string b = MakeTempFileName("RAW");
  setenv("TMPDIR", (dir_ / "missing").c_str(), 1);
  const std::string none = MakeTempFileName("RAW");
  old ? setenv("TMPDIR", saved.c_str(), 1) : unsetenv("TMPDIR");
  EXPECT_NE(a, b);
  EXPECT_EQ(fs::path(a).parent_path(), dir_);
  EXPECT_EQ(FileNameOf(a).substr(0, 3), "RAW");
  EXPECT_TRUE(fs::exists(a));
  EXPECT_EQ(fs::file_size(a), 0u);
  EXPECT_EQ(none, "");
}

TEST_F(PathFiles, CopyReplacesTargetOnlyWhenComplete) {
  const fs::path source = dir_ / "source.raw", target = dir_ / "target.raw";
  WriteAll(source, std::string("\0new\r\n", 6));
  WriteAll(target, "old");
  ASSERT_TRUE(CopyFileTo(source, target));
  EXPECT_EQ(ReadAll(target), std::string("\0new\r\n", 6));

  // A source that fails while being read (a directory) and one that is missing leave the target alone.
  WriteAll(target, "old");
  EXPECT_FALSE(CopyFileTo(dir_.string(), target));
  EXPECT_FALSE(CopyFileTo((dir_ / "missing").string(), target));
  EXPECT_FALSE(CopyFileTo(source, (dir_ / "no" / "such.raw").string()));
  EXPECT_EQ(ReadAll(target), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2);  // no temporary left behind
}

TEST_F(PathFiles, ReadOnlyMarkIsSeenEvenByRoot) {
  const fs::path file = dir_ / "f.raw";
  WriteAll(file, "x");
  chmod(file.c_str(), 0444);
  EXPECT_TRUE(IsReadOnlyFile(file));
  EXPECT_TRUE(ClearReadOnly(file));
  EXPECT_FALSE(IsReadOnlyFile(file));
}

}  // namespace
}  // namespace km
