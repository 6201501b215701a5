#include "common/qt/start_program_directory.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "common/core/program_directory.h"
#include "common/qt/qt_text.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_dir.h"

namespace km {
namespace {

namespace fs = std::filesystem;
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
  static QString Stored() { return QSettings("ORVE", "keltor-test").value("General/Directory").toString(); }
  // The program directory and user found, starting from the user named on the command line.
  std::pair<std::string, std::string> Find(std::string user = "") {
    std::string directory;
    FindStartProgramDirectory(sink_, "keltor-test", directory, user);
    return {directory, user};
  }

  ScopedEnv home_, dataHome_, installed_, variable_;
  testing::RecordingSink sink_;
};

TEST_F(StartProgramDirectoryTest, FirstStartFromTheMenuGetsTheOwnDirectoryAndTheLoginUserOrTheOneNamed) {
  const std::string own = PathOf("home/data/keltor-morvane");
  const auto [directory, user] = Find();
  EXPECT_EQ(directory, own);
  ASSERT_FALSE(user.empty());
  EXPECT_TRUE(fs::exists(UserProfilePath(own, user)));
  EXPECT_EQ(Stored(), QString::fromStdString(own));
  EXPECT_EQ(Find(), std::make_pair(own, user));  // the next start finds it in the settings
  // A user named on the command line is kept and gets no profile made: a missing profile stays an error.
  EXPECT_EQ(Find("lab1"), std::make_pair(own, std::string("lab1")));
  EXPECT_FALSE(fs::exists(UserProfilePath(own, "lab1")));
  EXPECT_TRUE(sink_.Empty());
}

TEST_F(StartProgramDirectoryTest, TheVariableAndTheSettingsStillWin) {
  struct Case {
    const char* variable;  // nullptr: unset
    std::string stored, expected;
  };
  for (const Case& c : {Case{"/suite/one", "/suite/two", "/suite/one"}, Case{"", "", ""},
                        Case{nullptr, "/suite/two/", "/suite/two"}}) {
    SCOPED_TRACE(c.stored);
    QSettings("ORVE", "keltor-test").setValue("General/Directory", FromPath(c.stored));
    std::optional<ScopedEnv> variable;
    if (c.variable) variable.emplace("KM_PROGRAM_DIRECTORY", c.variable);
    EXPECT_EQ(Find(), std::make_pair(c.expected, std::string()));
    EXPECT_TRUE(sink_.Empty());
    EXPECT_FALSE(fs::exists(PathOf("home/data/keltor-morvane")));
    EXPECT_EQ(Stored(), QString::fromStdString(c.stored));
  }
}

TEST_F(StartProgramDirectoryTest, AFolderThatCannotBeMadeIsNamedAndTheProgramRunsWithoutAProfile) {
  testing::WriteBytes(PathOf("home/data"), std::string("a file where the data home should be"));
  EXPECT_EQ(Find(), std::make_pair(std::string(), std::string()));
  ASSERT_EQ(sink_.messages.size(), 1u);
  EXPECT_NE(sink_.LastText().find(PathOf("home/data/keltor-morvane")), std::string::npos) << sink_.LastText();
  EXPECT_EQ(Stored(), QString());  // tried again next time
}

}  // namespace
}  // namespace km
