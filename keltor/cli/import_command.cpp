// keltor-cli import FOREIGN... [-o OUT.raw | -d DIR] [--yes]: Philips UDF (.udf) and Siemens RAW
// (.raw, .rat) files become raw data files, as File, Import makes them. Each input gets one line on
// standard error saying what became of it; the exit status is 1 when any input failed, the others
// still being imported. An import never writes over its own input, and an existing output is
// replaced only with --yes.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "common/core/messages.h"
#include "common/core/paths.h"
#include "keltor/cli/cli_workbench_ui.h"
#include "keltor/cli/commands.h"
#include "keltor/cli/output_guard.h"
#include "keltor/core/exchange/foreign_import.h"
#include "keltor/core/workbench.h"

namespace keltor::cli {
namespace {

struct ImportOptions {
  std::vector<std::string> inputs;
  std::string output;
  std::string directory;
  bool yes = false;
};

// Paths are shown as the file system names them.
const std::string& Shown(const std::string& path) { return path; }

void Report(const std::string& input, const std::string& what) {
  std::fprintf(stderr, "%s: %s\n", Shown(input).c_str(), what.c_str());
}

// The target "dialog" of an import of up to eight ranges (a split import names its files itself):
// it never answers with the input itself, nor with an existing file unless --yes was given.
class ImportCliUi : public CliWorkbenchUi {
 public:
  ImportCliUi(std::string input, bool yes, const std::vector<std::string>& writtenBefore)
      : input_(std::move(input)), yes_(yes), writtenBefore_(writtenBefore) {
    AnswerYes(yes);
  }

  std::optional<std::string> ChooseSaveFile(const SaveFileRequest& request) override {
    const auto target = CliWorkbenchUi::ChooseSaveFile(request);
    if (!target) return target;
    if (km::SameFile(*target, input_)) {
      std::fprintf(stderr,
                   "error: the imported file would overwrite %s itself; name another file with -o or a folder "
                   "with -d\n",
                   Shown(input_).c_str());
      return std::nullopt;
    }
    // Two inputs of one batch named alike ("a.udf", "a.raw") must not overwrite each other's result.
    for (const std::string& earlier : writtenBefore_) {
      if (km::SameFile(*target, earlier)) {
        std::fprintf(stderr, "error: %s was written by this command already; import this file with -o\n",
                     Shown(*target).c_str());
        return std::nullopt;
      }
    }
    std::error_code error;
    if (std::filesystem::exists(*target, error) && !yes_) {
      std::fprintf(stderr, "error: %s exists; --yes replaces it\n", Shown(*target).c_str());
      return std::nullopt;
    }
    return target;
  }

 private:
  std::string input_;
  bool yes_;
  const std::vector<std::string>& writtenBefore_;
};

// One input; true when it was imported.
bool ImportOne(const ImportOptions& options, const std::string& input, std::vector<std::string>& written) {
  if (ImportFormatOf(input) == ImportFormat::None) {
    std::fprintf(stderr, "error: %s is neither a Philips UDF file (.udf) nor a Siemens RAW file (.raw, .rat)\n",
                 Shown(input).c_str());
    Report(input, "not imported");
    return false;
  }
  std::string target = options.output;
  if (target.empty()) {
    target = ImportTargetName(input);
    if (!options.directory.empty()) target = km::JoinPath(options.directory, km::FileNameOf(target));
  }
  ImportCliUi ui(input, options.yes, written);
  ui.SaveFile = target;
  WorkbenchObserver observer;
  Workbench workbench(ui, observer);
  const ImportResult result = ImportForeignFile(workbench, input, options.directory);
  workbench.OnExit();
  written.insert(written.end(), result.Written.begin(), result.Written.end());
  if (!result.Imported) {
    Report(input, "not imported");
    return false;
  }
  if (result.Written.size() == 1) {
    Report(input, "imported into " + Shown(result.Written.front()));
  } else {
    Report(input, "imported into " + std::to_string(result.Written.size()) + " files, " +
                      Shown(result.Written.front()) + " to " + Shown(result.Written.back()));
  }
  return true;
}

int RunImport(const ImportOptions& options) {
  if (!options.output.empty() && options.inputs.size() > 1) {
    std::fprintf(stderr, "error: -o names the file of one import; use -d DIR for several files\n");
    return 2;
  }
  if (!options.output.empty() && !options.directory.empty()) {
    std::fprintf(stderr, "error: -o and -d exclude each other\n");
    return 2;
  }
  if (!options.directory.empty()) {
    std::error_code error;
    std::filesystem::create_directories(options.directory, error);
    if (!std::filesystem::is_directory(options.directory, error)) {
      std::fprintf(stderr, "error: %s is no folder and cannot be made one\n", Shown(options.directory).c_str());
      return 1;
    }
  }
  int failed = 0;
  std::vector<std::string> written;
  for (const std::string& input : options.inputs) failed += ImportOne(options, input, written) ? 0 : 1;
  return failed > 0 ? 1 : 0;
}

}  // namespace

void AddImportCommand(CLI::App& app, int& exitCode) {
  auto* cmd = app.add_subcommand(
      "import",
      "Import Philips UDF (.udf) and Siemens RAW (.raw, .rat) files as raw data files.\n"
      "The output is named after the input with the extension .raw (in DIR with -d); a Siemens file\n"
      "of more than eight ranges becomes one file per range, NAME.001, NAME.002 ... beside the input\n"
      "(in DIR with -d). One line per input on standard error; exit 1 when any input failed.");
  auto options = std::make_shared<ImportOptions>();
  cmd->add_option("FOREIGN", options->inputs, "Files to import (never changed)")->required();
  cmd->add_option("-o", options->output, "The raw data file to write (one input only)");
  cmd->add_option("-d", options->directory, "Folder for the imported files (made when missing)");
  cmd->add_flag("--yes", options->yes, "Replace existing outputs");
  cmd->callback([&exitCode, options] { exitCode = RunImport(*options); });
}

}  // namespace keltor::cli
