// What the programs start from: the suite's own command lines, help or version asked for, and the
// program directory.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/core/program_directory.h"
#include "common/core/program_help.h"
#include "common/core/start_command_line.h"

namespace km {
namespace {

void ExpectParsed(std::string_view line, int mode, std::string_view user, std::string_view file) {
  const StartCommandLine parsed = ParseStartCommandLine(line);
  EXPECT_EQ(parsed.Mode, mode) << line;
  EXPECT_EQ(parsed.User, user) << line;
  EXPECT_EQ(parsed.File, file) << line;
}

TEST(StartCommandLine, SuiteCommandLinesSlashPathsAndBrokenQuotes) {
  struct Case {
    const char *line, *user, *file;
    int mode = 1;
  };
  for (const Case& c : {Case{R"(/U"lab one" "c:\my data\a.raw")", "lab one", R"(c:\my data\a.raw)"},
                        Case{R"(/Ulab1 c:\data\a.raw)", "lab1", R"(c:\data\a.raw)"},
                        Case{R"(  c:\data\a.raw  )", "", R"(c:\data\a.raw)"}, Case{"", "", ""}, Case{"/Ulab1", "lab1", ""},
                        Case{"/1 /2 /Ulab1 a.raw", "lab1", "a.raw", 2}, Case{"/Ulab1 /1 a.raw", "lab1", "a.raw"},
                        Case{R"(/U"lab one" /2 a.raw)", "lab one", "a.raw", 2},  // the quote must not push past the file
                        // Slash paths are not switches.
                        Case{"/data/a.raw", "", "/data/a.raw"}, Case{"/Ulab1 /2/a.raw", "lab1", "/2/a.raw"},
                        Case{"/Users/me/a.raw", "", "/Users/me/a.raw"},
                        Case{R"(/Ulab1 "/data/run /1 of 2.raw")", "lab1", "/data/run /1 of 2.raw"},
                        // Broken quotes stay inside the line.
                        Case{R"(/U"lab one)", "lab one", ""}, Case{R"(/Ulab1 "a b.raw)", "lab1", "a b.raw"},
                        Case{R"(/U"")", "", ""}})
    ExpectParsed(c.line, c.mode, c.user, c.file);
}

TEST(StartCommandLine, ShellArgumentsRebuildTheLine) {
  struct Case {
    std::vector<std::string> arguments;
    int mode;
    std::string user, file;
  };
  for (Case c : {Case{{"/U", "lab one", "/data/my file.raw"}, 1, "lab one", "/data/my file.raw"},
                 Case{{"/Ulab one", "/2", "/Users/x y/a.raw"}, 2, "lab one", "/Users/x y/a.raw"},
                 Case{{"/data/plain.raw"}, 1, "", "/data/plain.raw"}}) {
    std::string program = "keltor";
    std::vector<char*> argv{program.data()};
    for (std::string& argument : c.arguments) argv.push_back(argument.data());
    ExpectParsed(JoinArguments(static_cast<int>(argv.size()), argv.data()), c.mode, c.user, c.file);
  }
}

TEST(ProgramHelp, HelpAndVersionOnlyAsTheFirstArgument) {
  // The suite's own command lines (the last three) start the program: nothing printed.
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--help"}, "Usage: keltor\n"}, {{"--version"}, "keltor " + std::string(ProgramVersion()) + "\n"},
      {{}, ""}, {{"/Ulab1", "--help"}, ""}, {{"/data/--help.raw"}, ""}};
  for (auto [args, expected] : cases) {
    std::vector<char*> argv{const_cast<char*>("keltor")};
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::FILE* out = std::tmpfile();
    EXPECT_EQ(AnswerHelpRequest(static_cast<int>(argv.size()) - 1, argv.data(), "keltor", "Usage: keltor\n", out),
              !expected.empty());
    std::rewind(out);
    std::string text;
    for (int c; (c = std::fgetc(out)) != EOF;) text += static_cast<char>(c);
    std::fclose(out);
    EXPECT_EQ(text, expected);
  }
}

struct FixedDirectory : ProgramDirectorySource {
  std::string value;
  std::string ReadDirectoryValue() override { return value; }
};

TEST(ProgramDirectory, TrailingSeparatorAndBlanksGo) {
  // nullptr: no directory stored, and the stale output emptied. The root gives nothing: paths below it
  // still start with the separator.
  const std::pair<const char*, const char*> cases[] = {
      {R"(C:\QDIF\ )", R"(C:\QDIF)"}, {"/opt/qdif", "/opt/qdif"}, {"/", ""}, {"", nullptr}, {"   ", nullptr}};
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
