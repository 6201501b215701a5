#include "common/core/user_program_directory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "common/core/program_directory.h"
#include "common/core/user_profile.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_dir.h"

namespace km {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::RecordingSink;
using testing::ScopedEnv;
using testing::WriteBytes;

class UserProgramDirectoryTest : public testing::TempDirTest {
 protected:
  // Installed data with a table in PROGRAMS and a shared profile in USERS.
  std::string Installed() {
    const std::string installed = PathOf("installed");
    fs::create_directories(installed + "/USERS");
    fs::create_directories(installed + "/PROGRAMS/not-a-table");
    WriteBytes(installed + "/PROGRAMS/CYLABS.DAT", std::string("installed table"));
    WriteBytes(installed + "/USERS/service.USR", std::string("installed profile"));
    return installed;
  }
  static std::string Text(const std::string& path) {
    const auto bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
  }
  // Everything below the folder, as sorted relative paths.
  static std::vector<std::string> Tree(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
      names.push_back(entry.path().lexically_relative(folder));
    std::sort(names.begin(), names.end());
    return names;
  }
  // The work directory stored in anna's new profile below own; the texts must be empty.
  std::string WorkDirectoryOfAnna(const std::string& own) {
    std::vector<std::string> texts;
    std::string work = "unread";
    std::vector<uint8_t> settings;
    EXPECT_TRUE(ReadUserSection(sink_, UserProfilePath(own, "anna"), &work, 4, texts, settings)) << sink_.LastText();
    EXPECT_TRUE(texts.empty());
    return work;
  }
  RecordingSink sink_;
};

TEST_F(UserProgramDirectoryTest, FirstStartFillsTheFoldersAndGivesAProfileLaterStartsReplaceNothing) {
  const std::string own = PathOf("home/.local/share/keltor-morvane");  // nothing of it exists yet
  ASSERT_TRUE(PrepareUserProgramDirectory(sink_, own, Installed(), "anna", PathOf("home")));
  EXPECT_TRUE(sink_.Empty());
  EXPECT_EQ(Tree(own), (std::vector<std::string>{"PROGRAMS", "PROGRAMS/CYLABS.DAT", "USERS", "USERS/anna.USR",
                                                 "USERS/service.USR"}));  // files only
  EXPECT_EQ(Text(own + "/PROGRAMS/CYLABS.DAT"), "installed table");

  // A later start replaces nothing, whatever changed since.
  WriteBytes(own + "/PROGRAMS/CYLABS.DAT", std::string("the user's own table"));
  WriteBytes(own + "/USERS/service.USR", std::string("changed since"));
  const std::string annasProfile = Text(own + "/USERS/anna.USR");
  ASSERT_TRUE(PrepareUserProgramDirectory(sink_, own, Installed(), "anna", "/elsewhere"));
  EXPECT_TRUE(sink_.Empty());
  EXPECT_EQ(Text(own + "/PROGRAMS/CYLABS.DAT"), "the user's own table");
  EXPECT_EQ(Text(own + "/USERS/service.USR"), "changed since");
  EXPECT_EQ(Text(own + "/USERS/anna.USR"), annasProfile);
  EXPECT_EQ(Tree(own + "/USERS"), (std::vector<std::string>{"anna.USR", "service.USR"}));  // no temporary left
  EXPECT_EQ(WorkDirectoryOfAnna(own), PathOf("home"));  // a profile the programs read
}

TEST_F(UserProgramDirectoryTest, WithoutInstalledDataOrUserOnlyTheFoldersAreMade) {
  const std::string own = PathOf("own");
  ASSERT_TRUE(PrepareUserProgramDirectory(sink_, own, PathOf("not-installed"), "", PathOf("home")));
  EXPECT_TRUE(sink_.Empty() && Tree(own) == (std::vector<std::string>{"PROGRAMS", "USERS"}));
  // A work directory too long for the profile is left out of it.
  ASSERT_TRUE(PrepareUserProgramDirectory(sink_, own, "", "anna", "/" + std::string(300, 'w')));
  EXPECT_EQ(WorkDirectoryOfAnna(own), "");
}

// A folder that cannot be made: a warning naming it, and false, whatever stands in the way.
TEST_F(UserProgramDirectoryTest, AFolderThatCannotBeMadeIsNamedInAWarning) {
  struct Case {
    const char* what;
    std::string directory, named;  // named: the folder the warning names
  };
  WriteBytes(PathOf("a-file"), std::string("x"));
  fs::create_directories(PathOf("users-is-a-file"));
  WriteBytes(PathOf("users-is-a-file/USERS"), std::string("x"));
  const std::vector<Case> cases = {
      {"a file above it", PathOf("a-file/share/keltor-morvane"), PathOf("a-file/share/keltor-morvane")},
      {"a file in its place", PathOf("a-file"), PathOf("a-file")},
      {"a file named USERS", PathOf("users-is-a-file"), PathOf("users-is-a-file/USERS")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sink_.Clear();
    EXPECT_FALSE(PrepareUserProgramDirectory(sink_, c.directory, Installed(), "anna", PathOf("home")));
    EXPECT_EQ(sink_.Texts(), std::vector<std::string>{"The program directory cannot be created:\n\n" + c.named +
                                                      "\n\nNot a directory.\nThe program runs without a user profile."});
    EXPECT_EQ(sink_.Last().icon, MessageIcon::Exclamation);
  }
}

TEST_F(UserProgramDirectoryTest, APlaceTakenByAFolderIsNamedWhenAFileCannotBeWritten) {
  const std::string own = PathOf("own");
  fs::create_directories(own + "/USERS/anna.USR.part");  // a folder where the profile is first written
  fs::create_directories(own + "/PROGRAMS");
  EXPECT_FALSE(PrepareUserProgramDirectory(sink_, own, "", "anna", PathOf("home")));
  EXPECT_EQ(sink_.Texts(), std::vector<std::string>{"A file of the program directory cannot be written:\n\n" + own +
                                                    "/USERS/anna.USR\n\nIs a directory.\n"
                                                    "The program runs without a user profile."});
  EXPECT_FALSE(fs::exists(own + "/USERS/anna.USR"));
}

TEST_F(UserProgramDirectoryTest, TheDefaultFollowsTheDataHomeOfTheDesktop) {
  const struct {
    const char *dataHome, *home, *expected;  // dataHome nullptr: unset
  } cases[] = {
      {"/data/anna", "/home/anna", "/data/anna/keltor-morvane"},
      {"relative/path", "/home/anna", "/home/anna/.local/share/keltor-morvane"},  // not absolute: ignored
      {nullptr, "/home/anna/", "/home/anna/.local/share/keltor-morvane"},
      {"/", "/home/anna", "/keltor-morvane"},
      {nullptr, "/", "/.local/share/keltor-morvane"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dataHome ? c.dataHome : "(unset)");
    ScopedEnv home("HOME", c.home);
    ScopedEnv dataHome("XDG_DATA_HOME", c.dataHome ? c.dataHome : "");
    if (!c.dataHome) ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(DefaultUserProgramDirectory(), c.expected);
  }
}

}  // namespace
}  // namespace km
