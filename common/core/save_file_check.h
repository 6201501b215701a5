#pragma once
// The checks the workbench's save dialog makes when the user presses OK, apart from the dialog itself:
// the name gets its default extension, an existing read-only file is refused, overwriting and an
// unusual extension are asked about. The dialog stays open when a check fails.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/core/messages.h"

namespace km {

// What the checks need to know about the disk.
class SaveTargetQueries {
 public:
  virtual ~SaveTargetQueries() = default;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool IsReadOnly(const std::string& path) = 0;
};

// The real disk.
class DiskSaveTargetQueries : public SaveTargetQueries {
 public:
  bool FileExists(const std::string& path) override;
  bool IsReadOnly(const std::string& path) override;
};

struct SaveFileRequest {
  std::string typedName;         // as the user typed it
  std::string directory;         // the directory the dialog shows
  std::string defaultExtension;  // of the current filter ("raw", "lst"); may be empty
  bool noExtensionInName = false;
  bool confirmOverwrite = true;
};

// The accepted full path, or nothing when the dialog must stay open (the user has been told why, or
// answered so).
std::optional<std::string> CheckSaveFileName(MessageSink& sink, SaveTargetQueries& disk, const SaveFileRequest& request);

// The default extension after the user chose filter filterIndex (from 1): that filter's slot of the
// extension list, cut to 3 characters; none when the index lies outside the list.
std::string DefaultExtensionForFilter(std::span<const std::string> extensions, int filterIndex);

}  // namespace km
