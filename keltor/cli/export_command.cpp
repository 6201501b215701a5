// keltor-cli export: one range of a raw data file written in a foreign format, as File > Export
// writes it. One FILE with -o OUT, or any number of files with -d DIR, each written there under the
// name the program proposes (the raw file's name with the format's extension); a batch reports one
// line per file on standard error and goes on after a failure. Inputs are never changed; an
// existing output is replaced only with --yes.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "common/core/paths.h"
#include "common/core/program_directory.h"
#include "keltor/cli/cli_workbench_ui.h"
#include "keltor/cli/commands.h"
#include "keltor/cli/output_guard.h"
#include "keltor/core/workbench.h"

namespace keltor::cli {
namespace {

struct ExportOptions {
  std::vector<std::string> inputs;
  std::string format;
  int range = 0;
  bool cps = false;
  bool keepNegative = false;
  std::string output;
  std::string directory;
  bool yes = false;
};

// The CLI's user interface for one export: the range from --range, and in a batch every message
// kept for the file's one line instead of printed as it comes.
class ExportUi : public CliWorkbenchUi {
 public:
  ExportUi(int range, bool yes, bool collect) : yes_(yes), collect_(collect) {
    AnswerYes(yes);
    if (range > 0) Ranges = {range};
  }

  void ShowMessage(std::string_view text, km::MessageIcon icon) override {
    if (!collect_) return CliWorkbenchUi::ShowMessage(text, icon);
    if (icon == km::MessageIcon::Stop || collected_.empty()) collected_ = km::MessageAsOneLine(text);
  }
  bool AskYesNo(std::string_view text, bool defaultNo = false) override {
    if (!collect_) return CliWorkbenchUi::AskYesNo(text, defaultNo);
    if (!yes_) collected_ = km::MessageAsOneLine(text);
    return yes_;
  }
  const std::string& Collected() const { return collected_; }

 private:
  bool yes_;
  bool collect_;
  std::string collected_;
};

// Exports one file; returns 0 written, 1 refused or failed, 2 a usage error. why receives the
// reason of a failure the workbench did not report itself.
int ExportOne(const ExportOptions& options, ExportFormat format, const std::string& input, const std::string& output,
              ExportUi& ui, std::string& why) {
  if (km::SameFile(output, input)) {
    why = "the export would overwrite the raw data file itself";
    return 2;
  }
  std::error_code error;
  if (std::filesystem::exists(output, error) && !options.yes) {
    why = output + " exists; --yes replaces it";
    return 1;
  }
  WorkbenchObserver observer;
  Workbench workbench(ui, observer);
  if (!workbench.LoadWorkbenchFile(input)) return 1;
  workbench.File.DocumentPath = input;
  workbench.State.WorkDirectory.clear();  // the output path stands as given on the command line
  int result = 1;
  const int ranges = workbench.File.WorkingFile.Header.MeasuredRangeCount;
  if (!workbench.File.HasUsableData()) {
    why = "the file holds no measured data to export";
  } else if (ranges > 1 && options.range == 0) {
    why = "the file holds " + std::to_string(ranges) + " ranges; --range chooses the one to export";
    result = 2;
  } else if (options.range > ranges) {
    why = "the file has no range " + std::to_string(options.range);
  } else {
    workbench.State.Export.Format = static_cast<int>(format);
    workbench.State.Export.CountsPerSecond = options.cps;
    workbench.State.Export.NoNegativeIntensities = !options.keepNegative;
    workbench.State.Export.FileName = output;
    if (workbench.OnExport()) result = 0;
  }
  workbench.OnExit();
  return result;
}

int RunExport(const ExportOptions& options) {
  const auto format = ExportFormatByCliName(options.format);
  if (!format) {
    std::fprintf(stderr, "error: unknown format %s (xy, gsas, fullprof, xfit, csd, udf or pdf3)\n", options.format.c_str());
    return 2;
  }
  if (options.cps && *format != ExportFormat::XY) {
    std::fprintf(stderr, "error: counts per second are written in the X/Y format only\n");
    return 2;
  }
  if (options.output.empty() == options.directory.empty()) {
    std::fprintf(stderr, "error: name the output with -o OUT (one file) or -d DIR (any number of files)\n");
    return 2;
  }
  if (!options.output.empty()) {
    if (options.inputs.size() != 1) {
      std::fprintf(stderr, "error: -o names one output; several files are exported with -d DIR\n");
      return 2;
    }
    ExportUi ui(options.range, options.yes, false);
    std::string why;
    const int result = ExportOne(options, *format, options.inputs.front(), options.output, ui, why);
    if (!why.empty()) std::fprintf(stderr, "error: %s: %s\n", options.inputs.front().c_str(), why.c_str());
    else if (result != 0 && ui.ErrorCount() == 0) std::fprintf(stderr, "error: %s is not written\n", options.output.c_str());
    return result;
  }

  std::error_code error;
  if (!std::filesystem::is_directory(options.directory, error)) {
    std::fprintf(stderr, "error: %s is not a directory\n", options.directory.c_str());
    return 2;
  }
  int failed = 0;
  std::vector<std::string> written;
  for (const std::string& input : options.inputs) {
    const std::string output = km::JoinPath(options.directory, DefaultExportName(input, static_cast<int>(*format)));
    ExportUi ui(options.range, options.yes, true);
    std::string why;
    // Two inputs of one name (a.raw, a.001) would give one output: the second never replaces the first.
    int result = 1;
    if (std::find(written.begin(), written.end(), output) != written.end()) {
      why = output + " was written for another file of this batch";
    } else {
      result = ExportOne(options, *format, input, output, ui, why);
    }
    if (result == 0) written.push_back(output);
    if (result == 0) {
      std::fprintf(stderr, "%s -> %s\n", input.c_str(), output.c_str());
    } else {
      ++failed;
      if (why.empty()) why = ui.Collected().empty() ? output + " is not written" : ui.Collected();
      std::fprintf(stderr, "error: %s: %s\n", input.c_str(), why.c_str());
    }
  }
  return failed == 0 ? 0 : 1;
}

}  // namespace

void AddExportCommand(CLI::App& app, int& exitCode) {
  auto* cmd = app.add_subcommand("export", "Write one range of raw data files in a foreign format (File > Export)");
  auto options = std::make_shared<ExportOptions>();
  cmd->add_option("FILE", options->inputs, "Raw data files (never changed)")->required();
  cmd->add_option("--format", options->format, "xy, gsas, fullprof, xfit, csd, udf or pdf3")->required();
  cmd->add_option("--range", options->range, "The range to export (needed when a file holds several)")
      ->check(CLI::Range(1, 8));
  cmd->add_flag("--cps", options->cps, "Counts per second instead of counts (X/Y only)");
  cmd->add_flag("--keep-negative", options->keepNegative,
                "Write intensities as they are (by default a range below 1 is raised to begin at 1)");
  cmd->add_option("-o", options->output, "The file to write (one FILE)");
  cmd->add_option("-d", options->directory,
                  "Write each FILE into this directory, named FILE's name with the format's extension");
  cmd->add_flag("--yes", options->yes, "Replace existing output files");
  cmd->footer(
      "One FILE with -o exits 0 when written, 1 when refused or failed. With -d every FILE is tried; one line\n"
      "per file on standard error (\"FILE -> OUT\" or \"error: FILE: why\"); exit 1 when any failed.\n"
      "Usage errors exit 2.");
  cmd->callback([&exitCode, options] { exitCode = RunExport(*options); });
}

}  // namespace keltor::cli
