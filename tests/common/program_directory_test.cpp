#include "common/core/program_directory.h"

#include <gtest/gtest.h>

namespace km {
namespace {

struct FixedDirectory : ProgramDirectorySource {
  std::string value;
  std::string ReadDirectoryValue() override { return value; }
};

TEST(ProgramDirectory, TrailingSeparatorAndBlanksGo) {
  // nullptr: no directory stored, and the stale output emptied.
  const std::pair<const char*, const char*> cases[] = {
      {R"(C:\QDIF\ )", R"(C:\QDIF)"}, {"/opt/qdif", "/opt/qdif"}, {"/", ""},  // the root: paths below it still start with the separator
      {"", nullptr}, {"   ", nullptr}};
  for (const auto& [value, expected] : cases) {
    FixedDirectory source;
    source.value = value;
    std::string directory = "stale";
    EXPECT_EQ(GetProgramDirectory(source, directory), expected != nullptr) << value;
    EXPECT_EQ(directory, expected ? expected : "") << value;
  }
}

}  // namespace
}  // namespace km
