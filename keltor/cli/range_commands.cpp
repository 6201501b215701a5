// keltor-cli truncate, delete, extract, combine and add-ranges: the Ranges menu's editing commands
// run on a working copy of FILE with the dialogs' values from the options; the result is saved as
// OUT (extract writes one file per range instead). FILE is never changed.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/core/program_directory.h"
#include "keltor/cli/commands.h"
#include "keltor/cli/operation_runner.h"

namespace keltor::cli {
namespace {

struct RangeOptions {
  OperationFiles files;
  std::vector<int> ranges;
  int target = 0;
  float begin = 0;
  float end = 0;
  std::string extractName;
};

CLI::Option* AddRangesOption(CLI::App& verb, std::vector<int>& ranges, const char* help) {
  return verb.add_option("--ranges", ranges, help)->delimiter(',')->check(CLI::Range(1, 8));
}

void AddTruncate(CLI::App& app, int& exitCode) {
  auto* verb = app.add_subcommand("truncate", "Truncate Range: cut a range to new limits on the scan axis");
  auto o = std::make_shared<RangeOptions>();
  AddOperationFileOptions(*verb, o->files);
  verb->add_option("--range", o->ranges, "The range to cut (needed when FILE holds more than one)")
      ->check(CLI::Range(1, 8))
      ->expected(1);
  verb->add_option("--begin", o->begin, "New begin on the scan axis (moved to the nearest point)")->required();
  verb->add_option("--end", o->end, "New end on the scan axis (moved to the nearest point)")->required();
  verb->footer("Example: keltor-cli truncate demo.raw --range 2 --begin 25 --end 40 -o cut.raw");
  verb->callback([&exitCode, o] {
    CliWorkbenchUi ui;
    ui.Ranges = o->ranges;
    ui.Angles = AngularRange{o->begin, o->end};
    exitCode = RunOperation(o->files, ui, [](Workbench& wb) { return wb.OnRangesTruncate(); });
  });
}

void AddDelete(CLI::App& app, int& exitCode) {
  auto* verb = app.add_subcommand("delete", "Delete Range: remove ranges; the others close up");
  auto o = std::make_shared<RangeOptions>();
  AddOperationFileOptions(*verb, o->files);
  AddRangesOption(*verb, o->ranges, "The ranges to delete, comma-separated (not all of them)")->required();
  verb->footer("Example: keltor-cli delete demo.raw --ranges 2,3 -o fewer.raw");
  verb->callback([&exitCode, o] {
    CliWorkbenchUi ui;
    ui.Ranges = o->ranges;
    exitCode = RunOperation(o->files, ui, [](Workbench& wb) { return wb.OnRangesDelete(); });
  });
}

void AddCombine(CLI::App& app, int& exitCode) {
  auto* verb = app.add_subcommand("combine",
                                  "Combine Range: join two ranges into the lower-numbered one, blended where they overlap");
  auto o = std::make_shared<RangeOptions>();
  AddOperationFileOptions(*verb, o->files);
  AddRangesOption(*verb, o->ranges, "The two ranges, comma-separated")->required();
  verb->footer(
      "--yes also answers \"Ranges do not overlap, combine them anyhow ?\".\n"
      "Example: keltor-cli combine demo_overlap.raw --ranges 1,2 -o joined.raw");
  verb->callback([&exitCode, o] {
    CliWorkbenchUi ui;
    ui.Ranges = o->ranges;
    exitCode = RunOperation(o->files, ui, [](Workbench& wb) { return wb.OnRangesCombine(); });
  });
}

void AddAddRanges(CLI::App& app, int& exitCode) {
  auto* verb = app.add_subcommand("add-ranges",
                                  "Add Ranges: add ranges point by point into a target over their common region");
  auto o = std::make_shared<RangeOptions>();
  AddOperationFileOptions(*verb, o->files);
  AddRangesOption(*verb, o->ranges, "The ranges to add, comma-separated (the target among them is skipped)")
      ->required();
  verb->add_option("--target", o->target, "The range the sum replaces (\"Add to Range\")")->required();
  verb->footer("Example: keltor-cli add-ranges demo_overlap.raw --ranges 1,2,3 --target 1 -o sum.raw");
  verb->callback([&exitCode, o] {
    CliWorkbenchUi ui;
    ui.Ranges = o->ranges;
    ui.Target = o->target;
    exitCode = RunOperation(o->files, ui, [](Workbench& wb) { return wb.OnRangesAdd(); });
  });
}

int RunExtract(const RangeOptions& o) {
  CliWorkbenchUi ui;
  ui.Ranges = o.ranges;
  if (!o.extractName.empty()) ui.ExtractName = o.extractName;
  ui.AnswerYes(o.files.yes);
  WorkbenchObserver observer;
  Workbench workbench(ui, observer);
  km::EnvironmentProgramDirectory directorySource;
  km::GetProgramDirectory(directorySource, workbench.State.ProgramDirectory);
  if (!workbench.LoadWorkbenchFile(o.files.input)) return 1;
  workbench.File.DocumentPath = o.files.input;
  const bool written = workbench.OnRangesExtract();
  workbench.OnExit();
  return written ? 0 : 1;
}

void AddExtract(CLI::App& app, int& exitCode) {
  auto* verb = app.add_subcommand("extract", "Extract Range: write ranges into raw data files of their own");
  auto o = std::make_shared<RangeOptions>();
  verb->add_option("FILE", o->files.input, "The raw data file to extract from (never changed)")->required();
  AddRangesOption(*verb, o->ranges, "The ranges to extract, comma-separated")->required();
  verb->add_option("-o", o->extractName,
                   "Name pattern whose last character becomes the range number (default: FILE up to its last "
                   "\".\" followed by \"ra#\"; without a directory: beside FILE)");
  verb->add_flag("--yes", o->files.yes, "Replace existing files");
  verb->footer("Example: keltor-cli extract demo.raw --ranges 1,3 writes demo.ra1 and demo.ra3");
  verb->callback([&exitCode, o] { exitCode = RunExtract(*o); });
}

}  // namespace

void AddRangeCommands(CLI::App& app, int& exitCode) {
  AddTruncate(app, exitCode);
  AddDelete(app, exitCode);
  AddExtract(app, exitCode);
  AddCombine(app, exitCode);
  AddAddRanges(app, exitCode);
}

}  // namespace keltor::cli
