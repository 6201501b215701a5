#include "common/core/program_help.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace km {
namespace {

// What the program prints for its arguments, and whether it ends there.
std::pair<bool, std::string> Answer(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::FILE* out = std::tmpfile();
  const bool answered = AnswerHelpRequest(static_cast<int>(args.size()), argv.data(), "keltor", "Usage: keltor\n", out);
  std::rewind(out);
  std::string text;
  for (int c; (c = std::fgetc(out)) != EOF;) text += static_cast<char>(c);
  std::fclose(out);
  return {answered, text};
}

TEST(ProgramHelp, HelpAndVersionOnlyAsTheFirstArgument) {
  const std::string version = "keltor " + std::string(ProgramVersion()) + "\n";
  EXPECT_EQ(Answer({"keltor", "--help"}), std::make_pair(true, std::string("Usage: keltor\n")));
  EXPECT_EQ(Answer({"keltor", "--version"}), std::make_pair(true, version));
  // The suite's own command lines start the program.
  EXPECT_EQ(Answer({"keltor"}), std::make_pair(false, std::string()));
  EXPECT_EQ(Answer({"keltor", "/Ulab1", "--help"}), std::make_pair(false, std::string()));
  EXPECT_EQ(Answer({"keltor", "/data/--help.raw"}), std::make_pair(false, std::string()));
}

}  // namespace
}  // namespace km
