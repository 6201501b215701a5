#include "common/core/process.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>

#include "tests/support/recording_sink.h"

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
  for (const std::string command : {"/no/such/dir/PRONTA.EXE /p x.lst", "km-no-such-program-7q /p x.lst", "  "}) {
    testing::RecordingSink sink;
    ProcessInfo info;
    EXPECT_FALSE(RunProgram(sink, command, &info, true, ShowMode::Normal));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.Last().icon, MessageIcon::Stop);
    EXPECT_EQ(sink.LastText(), "Process cannot be executed\n\n" + command);
    EXPECT_EQ(info.pid, 0);
  }
}

TEST(Process, RunsAndWaitsOrLeavesTheProgramRunning) {
  const auto dir = std::filesystem::temp_directory_path();
  const auto marker = dir / ("km_process_marker_" + std::to_string(getpid()));
  std::filesystem::remove(marker);
  testing::RecordingSink sink;
  ProcessInfo info;
  // The quoted script is one argument; waiting means the marker exists on return.
  ASSERT_TRUE(RunProgram(sink, "sh -c \"touch '" + marker.string() + "'\"", &info, true, ShowMode::Hidden));
  EXPECT_EQ(info.pid, 0);
  EXPECT_TRUE(std::filesystem::exists(marker));
  std::filesystem::remove(marker);

  ASSERT_TRUE(RunProgram(sink, "true", &info, false, ShowMode::Minimized));
  ASSERT_GT(info.pid, 0);
  int status = 0;
  EXPECT_EQ(waitpid(info.pid, &status, 0), info.pid);
  EXPECT_TRUE(sink.Empty());
}

}  // namespace
}  // namespace km
