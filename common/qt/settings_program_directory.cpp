#include "common/qt/settings_program_directory.h"

#include <QSettings>

#include "common/qt/qt_text.h"

namespace km {

std::string SettingsProgramDirectory::ReadDirectoryValue() {
  if (qEnvironmentVariableIsSet(EnvironmentProgramDirectory::kVariable))
    return EnvironmentProgramDirectory().ReadDirectoryValue();
  QSettings settings(kOrganization, application_);
  return ToPath(settings.value("General/Directory").toString());
}

}  // namespace km
