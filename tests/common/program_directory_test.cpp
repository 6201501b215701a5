#include "common/core/program_directory.h"

#include <gtest/gtest.h>

#include <optional>

namespace km {
namespace {

class FixedDirectory : public ProgramDirectorySource {
 public:
  explicit FixedDirectory(std::string value) : value_(std::move(value)) {}
  std::string ReadDirectoryValue() override { return value_; }

 private:
  std::string value_;
};

std::optional<std::string> DirectoryFrom(std::string value) {
  FixedDirectory source(std::move(value));
  std::string directory = "stale";
  if (!GetProgramDirectory(source, directory)) {
    EXPECT_EQ(directory, "");
    return std::nullopt;
  }
  return directory;
}

TEST(ProgramDirectory, TrailingSeparatorAndBlanksGo) {
  EXPECT_EQ(DirectoryFrom("/opt/qdif/"), "/opt/qdif");
  EXPECT_EQ(DirectoryFrom(R"(C:\QDIF\ )"), R"(C:\QDIF)");
  EXPECT_EQ(DirectoryFrom("/opt/qdif"), "/opt/qdif");
  EXPECT_EQ(DirectoryFrom("/"), "");  // the root: paths below it still start with the separator
  EXPECT_EQ(UserProfilePath("", "lab one"), "/USERS/lab one.USR");
  EXPECT_EQ(DirectoryFrom(""), std::nullopt);
  EXPECT_EQ(DirectoryFrom("   "), std::nullopt);
}

}  // namespace
}  // namespace km
