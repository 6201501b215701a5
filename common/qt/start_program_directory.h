#pragma once
// The program directory and the user a desktop program starts with. KM_PROGRAM_DIRECTORY, when set, and
// else the settings decide, as always. With neither, the program takes the per-user directory: made and
// filled from the installed data on first start, and then stored in the settings. A program started
// without a user in that per-user directory starts for the person logged in, whose profile is made there
// when missing; so a start from the desktop menu has a working profile.
#include <QString>
#include <string>

#include "common/core/messages.h"

namespace km {

// directory: the program directory, without a trailing separator (empty: none). user: the user named on
// the command line; it becomes the login name in the case above. When the per-user directory cannot be
// made, the sink shows a warning naming the folder, the user stays as given and, on a first start, the
// directory stays empty: the program runs without a profile.
void FindStartProgramDirectory(MessageSink& sink, const QString& applicationName, std::string& directory,
                               std::string& user);

}  // namespace km
