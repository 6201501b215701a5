#include "common/core/start_command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace km {
namespace {

void ExpectParsed(std::string_view line, int mode, std::string_view user, std::string_view file) {
  const StartCommandLine parsed = ParseStartCommandLine(line);
  EXPECT_EQ(parsed.Mode, mode) << line;
  EXPECT_EQ(parsed.User, user) << line;
  EXPECT_EQ(parsed.File, file) << line;
}

TEST(StartCommandLine, SuiteCommandLines) {
  ExpectParsed(R"(/U"lab one" "c:\my data\a.raw")", 1, "lab one", R"(c:\my data\a.raw)");
  ExpectParsed(R"(/Ulab1 c:\data\a.raw)", 1, "lab1", R"(c:\data\a.raw)");
  ExpectParsed(R"(  c:\data\a.raw  )", 1, "", R"(c:\data\a.raw)");
  ExpectParsed(R"("c:\my data\a.raw")", 1, "", R"(c:\my data\a.raw)");
  ExpectParsed("", 1, "", "");
  ExpectParsed("/Ulab1", 1, "lab1", "");
  ExpectParsed("/1 /2 /Ulab1 a.raw", 2, "lab1", "a.raw");
  ExpectParsed("/Ulab1 /1 a.raw", 1, "lab1", "a.raw");
  ExpectParsed(R"(/U"lab one" /2 a.raw)", 2, "lab one", "a.raw");  // the quote must not push past the file
}

TEST(StartCommandLine, SlashPathsAreNotSwitches) {
  ExpectParsed("/data/a.raw", 1, "", "/data/a.raw");
  ExpectParsed("/Ulab1 /2/a.raw", 1, "lab1", "/2/a.raw");
  ExpectParsed("/Users/me/a.raw", 1, "", "/Users/me/a.raw");
  ExpectParsed(R"(/Ulab1 "/data/run /1 of 2.raw")", 1, "lab1", "/data/run /1 of 2.raw");
}

TEST(StartCommandLine, BrokenQuotesStayInsideTheLine) {
  ExpectParsed(R"(/U"lab one)", 1, "lab one", "");
  ExpectParsed(R"(/Ulab1 "a b.raw)", 1, "lab1", "a b.raw");
  ExpectParsed(R"(/U"")", 1, "", "");
}

TEST(StartCommandLine, ShellArgumentsRebuildTheLine) {
  struct Case {
    std::vector<std::string> arguments;
    int mode;
    std::string user, file;
  };
  for (Case c : {Case{{"/U", "lab one", "/data/my file.raw"}, 1, "lab one", "/data/my file.raw"},
                 Case{{"/Ulab1", "a.raw"}, 1, "lab1", "a.raw"},
                 Case{{"/Ulab one", "/2", "/Users/x y/a.raw"}, 2, "lab one", "/Users/x y/a.raw"},
                 Case{{"/data/plain.raw"}, 1, "", "/data/plain.raw"}}) {
    std::string program = "keltor";
    std::vector<char*> argv{program.data()};
    for (std::string& argument : c.arguments) argv.push_back(argument.data());
    ExpectParsed(JoinArguments(static_cast<int>(argv.size()), argv.data()), c.mode, c.user, c.file);
  }
}

}  // namespace
}  // namespace km
