#include "common/core/process.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>

#include "tests/support/recording_sink.h"
#include "tests/support/temp_dir.h"

namespace km {
namespace {

TEST(Process, SplitHonoursQuotesAndKeepsBackslashes) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitCommandLine("  C:\\QDIF\\PROGRAMS\\PRONTA.EXE /p \"C:\\my data\\x.lst\"  "),
            (V{"C:\\QDIF\\PROGRAMS\\PRONTA.EXE", "/p", "C:\\my data\\x.lst"}));
  EXPECT_EQ(SplitCommandLine("a \"\" b\"c d\""), (V{"a", "", "bc d"}));
  EXPECT_TRUE(SplitCommandLine("   ").empty());
}

TEST(Process, MissingProgramIsReportedWithTheCommandLine) {
  for (const std::string command : {"km-no-such-program-7q /p x.lst", "  "}) {
    testing::RecordingSink sink;
    ProcessInfo info;
    EXPECT_FALSE(RunProgram(sink, command, &info, true, ShowMode::Normal));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.Last().icon, MessageIcon::Stop);
    EXPECT_EQ(sink.LastText(), "Process cannot be executed\n\n" + command);
  }
}

class ProcessRunTest : public testing::TempDirTest {};

TEST_F(ProcessRunTest, RunsAndWaitsOrLeavesTheProgramRunning) {
  testing::RecordingSink sink;
  ProcessInfo info;
  // The quoted script is one argument; waiting means the marker exists on return.
  ASSERT_TRUE(RunProgram(sink, "sh -c \"touch '" + PathOf("marker") + "'\"", &info, true, ShowMode::Hidden));
  EXPECT_EQ(info.pid, 0);
  EXPECT_TRUE(std::filesystem::exists(PathOf("marker")));
  ASSERT_TRUE(RunProgram(sink, "true", &info, false, ShowMode::Minimized));
  ASSERT_GT(info.pid, 0);
  EXPECT_EQ(waitpid(info.pid, nullptr, 0), info.pid);
  EXPECT_TRUE(sink.Empty());
}

}  // namespace
}  // namespace km
