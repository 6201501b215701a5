#include "common/core/save_file_check.h"

#include <cctype>

#include "common/core/file_access.h"
#include "common/core/paths.h"
#include "common/core/text.h"

namespace km {

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::string Trimmed(std::string_view text) {
  constexpr std::string_view kWhite = " \t\r\n";
  const size_t first = text.find_first_not_of(kWhite);
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(kWhite) - first + 1));
}

}  // namespace

bool DiskSaveTargetQueries::FileExists(const std::string& path) { return FileTest(path, kFileMustExist); }

bool DiskSaveTargetQueries::IsReadOnly(const std::string& path) { return IsReadOnlyFile(path); }

std::optional<std::string> CheckSaveFileName(MessageSink& sink, SaveTargetQueries& disk, const SaveFileRequest& request) {
  std::string name = FileNameOf(Trimmed(request.typedName));
  if (name.find_first_not_of('.') == std::string::npos) return std::nullopt;  // empty, "." or ".."


  const std::string& defaultExtension = request.defaultExtension;
  std::string extension = ExtensionOf(name);
  if (extension.empty()) {
    // Without a default there is nothing to add, and a name must not end in a bare point.
    if (!defaultExtension.empty()) {
      if (const size_t point = name.rfind('.'); point != std::string::npos) name.resize(point);
      name += '.';
      name += defaultExtension;
      extension = defaultExtension;
    }
  } else if (request.noExtensionInName && !defaultExtension.empty() && !SameIgnoringCase(extension, defaultExtension)) {
    sink.ShowWarning("Please enter a filename without extension.");
    return std::nullopt;
  }

  const std::string path = JoinPath(request.directory, name);
  if (disk.FileExists(path)) {
    if (disk.IsReadOnly(path)) {
      sink.ShowError(Printf("File is marked Read-Only :\n\n%s", path.c_str()));
      return std::nullopt;
    }
    if (request.confirmOverwrite &&
        !sink.AskYesNo(Printf("File already exists :\n\n%s\n\nDo you wish to overwrite it ?", path.c_str()), true)) {
      return std::nullopt;
    }
  }

  // Only the first letter counts, so the numbered copies of raw files (".r01") pass for "raw".
  if (!extension.empty() && !defaultExtension.empty() && Lower(extension[0]) != Lower(defaultExtension[0]) &&
      sink.AskYesNo("Using non-standard file extension may cause problems.\nDo you wish to change it ?")) {
    return std::nullopt;
  }
  return path;
}

std::string DefaultExtensionForFilter(std::span<const std::string> extensions, int filterIndex) {
  if (filterIndex < 1 || static_cast<size_t>(filterIndex) > extensions.size()) return {};
  return extensions[static_cast<size_t>(filterIndex) - 1].substr(0, 3);
}

}  // namespace km
