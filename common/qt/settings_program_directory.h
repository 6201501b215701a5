#pragma once
// The suite's program directory as the desktop programs keep it: in their settings under the company
// "ORVE", group "General", value "Directory". KM_PROGRAM_DIRECTORY, when set, overrides it, so that
// tests and trial runs need not touch the user's settings.
#include <QString>

#include "common/core/program_directory.h"

namespace km {

class SettingsProgramDirectory : public ProgramDirectorySource {
 public:
  static constexpr const char* kOrganization = "ORVE";
  explicit SettingsProgramDirectory(QString applicationName) : application_(std::move(applicationName)) {}
  std::string ReadDirectoryValue() override;

 private:
  QString application_;
};

}  // namespace km
