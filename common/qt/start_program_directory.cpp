#include "common/qt/start_program_directory.h"

#include <QSettings>

#include "common/core/installed_data.h"
#include "common/core/program_directory.h"
#include "common/core/user_program_directory.h"
#include "common/qt/qt_text.h"
#include "common/qt/settings_program_directory.h"

namespace km {

void FindStartProgramDirectory(MessageSink& sink, const QString& applicationName, std::string& directory,
                               std::string& user) {
  SettingsProgramDirectory source(applicationName);
  const bool stored = GetProgramDirectory(source, directory);
  // A variable set to nothing is a deliberate "no directory" (tests, trial runs): nothing is made then.
  if (!stored && qEnvironmentVariableIsSet(EnvironmentProgramDirectory::kVariable)) return;

  const std::string own = DefaultUserProgramDirectory();
  if (own.empty() || (stored && directory != own)) return;  // the suite's directory is someone else's affair

  const std::string login = user.empty() ? LoginUserName() : std::string();
  if (!PrepareUserProgramDirectory(sink, own, InstalledDataDirectory(), login, HomeDirectory())) return;
  if (!stored) {
    directory = own;
    QSettings settings(SettingsProgramDirectory::kOrganization, applicationName);
    settings.setValue("General/Directory", FromPath(own));
    // A settings file that cannot be written only means the same folder is found again next time.
    settings.sync();
  }
  if (user.empty()) user = login;
}

}  // namespace km
