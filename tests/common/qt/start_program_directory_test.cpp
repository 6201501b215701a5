#include "common/qt/start_program_directory.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <filesystem>
#include <optional>
#include <string>

#include "common/core/program_directory.h"
#include "common/qt/qt_text.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_dir.h"

namespace km {
namespace {

namespace fs = std::filesystem;
using testing::RecordingSink;
using testing::ScopedEnv;

// A home of the test's own: settings, data home and installed data all below the temporary folder.
class StartProgramDirectoryTest : public testing::TempDirTest {
 protected:
  StartProgramDirectoryTest()
      : home_("HOME", PathOf("home")),
        dataHome_("XDG_DATA_HOME", PathOf("home/data")),
        installed_("KM_DATA_DIRECTORY", PathOf("installed")),
        variable_("KM_PROGRAM_DIRECTORY", "") {
    ::unsetenv("KM_PROGRAM_DIRECTORY");
    fs::create_directories(PathOf("home"));
    fs::create_directories(PathOf("installed/PROGRAMS"));
    testing::WriteBytes(PathOf("installed/PROGRAMS/CYLABS.DAT"), std::string("table"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(PathOf("config")));
  }
  static QString Stored() {
    return QSettings("ORVE", "keltor-test").value("General/Directory").toString();
  }
  static void Store(const std::string& directory) {
    QSettings("ORVE", "keltor-test").setValue("General/Directory", FromPath(directory));
  }
  void Find(std::string& directory, std::string& user) {
    FindStartProgramDirectory(sink_, "keltor-test", directory, user);
  }

  ScopedEnv home_, dataHome_, installed_, variable_;
  RecordingSink sink_;
};

TEST_F(StartProgramDirectoryTest, FirstStartFromTheMenuGetsTheOwnDirectoryAndTheLoginUser) {
  const std::string own = PathOf("home/data/keltor-morvane");
  std::string directory, user;
  Find(directory, user);
  EXPECT_TRUE(sink_.Empty()) << sink_.LastText();
  EXPECT_EQ(directory, own);
  ASSERT_FALSE(user.empty());
  EXPECT_TRUE(fs::exists(UserProfilePath(own, user)));
  EXPECT_EQ(Stored(), QString::fromStdString(own));

  // The next start finds it in the settings and changes nothing.
  std::string again, againUser;
  Find(again, againUser);
  EXPECT_EQ(again, own);
  EXPECT_EQ(againUser, user);
  EXPECT_TRUE(sink_.Empty());
}

TEST_F(StartProgramDirectoryTest, AUserNamedOnTheCommandLineIsKeptAndGetsNoProfileMade) {
  std::string directory, user = "lab1";
  Find(directory, user);
  EXPECT_EQ(user, "lab1");
  EXPECT_EQ(directory, PathOf("home/data/keltor-morvane"));
  EXPECT_FALSE(fs::exists(UserProfilePath(directory, "lab1")));  // a missing profile stays an error
}

TEST_F(StartProgramDirectoryTest, TheVariableAndTheSettingsStillWin) {
  struct Case {
    const char* what;
    const char* variable;  // nullptr: unset
    std::string stored;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"variable", "/suite/one", "/suite/two", "/suite/one"},
      {"variable set to nothing", "", "", ""},
      {"settings", nullptr, "/suite/two/", "/suite/two"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Store(c.stored);
    std::optional<ScopedEnv> variable;
    if (c.variable) variable.emplace("KM_PROGRAM_DIRECTORY", c.variable);
    std::string directory, user;
    Find(directory, user);
    EXPECT_EQ(directory, c.expected);
    EXPECT_TRUE(user.empty() && sink_.Empty());
    EXPECT_FALSE(fs::exists(PathOf("home/data/keltor-morvane")));
    EXPECT_EQ(Stored(), QString::fromStdString(c.stored));
  }
}

TEST_F(StartProgramDirectoryTest, AFolderThatCannotBeMadeIsNamedAndTheProgramRunsWithoutAProfile) {
  testing::WriteBytes(PathOf("home/data"), std::string("a file where the data home should be"));
  std::string directory, user;
  Find(directory, user);
  ASSERT_EQ(sink_.messages.size(), 1u);
  EXPECT_NE(sink_.LastText().find(PathOf("home/data/keltor-morvane")), std::string::npos) << sink_.LastText();
  EXPECT_TRUE(directory.empty() && user.empty());
  EXPECT_EQ(Stored(), QString());  // tried again next time
}

}  // namespace
}  // namespace km
