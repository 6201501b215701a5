// keltor-cli absorption and angle-correction: Operations > Absorption Correction and Angle Correction
// on a working copy of FILE, the dialogs' values from the options, the result saved as OUT.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/core/program_directory.h"
#include "keltor/cli/cli_workbench_ui.h"
#include "keltor/cli/commands.h"
#include "keltor/cli/operation_runner.h"
#include "keltor/core/workbench.h"

namespace keltor::cli {
namespace {

struct AbsorptionOptions {
  OperationFiles files;
  float value = 0;
};

struct AngleOptions {
  OperationFiles files;
  std::vector<float> line;
  bool stored = false;
  std::string user;
};

// The two dialogs answered from the options.
class CorrectionUi : public CliWorkbenchUi {
 public:
  std::optional<float> absorptionValue;
  std::optional<AngleCorrectionChoice> angleChoice;

  std::optional<float> ChooseAbsorptionValue(const AbsorptionRequest&) override { return absorptionValue; }
  std::optional<AngleCorrectionChoice> ChooseAngleCorrection(const AngleCorrectionRequest& request) override {
    if (angleChoice && angleChoice->UseStoredPolynomial && !request.PolynomialFound) {
      ShowError("no calibration polynomial found in user file");
      return std::nullopt;
    }
    return angleChoice;
  }
};

int RunAbsorption(const AbsorptionOptions& options) {
  CorrectionUi ui;
  ui.absorptionValue = options.value;
  return RunOperation(options.files, ui, [](Workbench& wb) { return wb.OnOperationsAbsorption(); });
}

int RunAngleCorrection(const AngleOptions& options) {
  CorrectionUi ui;
  AngleCorrectionChoice choice;
  choice.UseStoredPolynomial = options.stored;
  if (options.line.size() == 2) {
    choice.A = options.line[0];
    choice.B = options.line[1];
  }
  ui.angleChoice = choice;
  return RunOperation(options.files, ui, [&options, &ui](Workbench& wb) {
    std::string profile;
    if (!options.user.empty()) {
      if (wb.State.ProgramDirectory.empty()) {
        ui.ShowError(std::string("no program directory for the profile of ") + options.user + " (set " +
                     km::EnvironmentProgramDirectory::kVariable + ")");
        return false;
      }
      profile = km::UserProfilePath(wb.State.ProgramDirectory, options.user);
    }
    return wb.OnOperationsAngleCorrection(profile);
  });
}

}  // namespace

void AddCorrectionCommands(CLI::App& app, int& exitCode) {
  {
    auto* cmd = app.add_subcommand(
        "absorption",
        "Absorption Correction: every range corrected for the geometry of the file's scan mode\n"
        "(transmission: I/Io up to 1; reflection: mu*t up to 30; Debye-Scherrer: mu*R up to 30, from the\n"
        "cylinder table CYLABS.DAT of the program directory or the one installed with the programs).\n"
        "Example: keltor-cli absorption capillary.raw --value 1.5 -o capillary-abs.raw");
    auto options = std::make_shared<AbsorptionOptions>();
    AddOperationFileOptions(*cmd, options->files);
    cmd->add_option("--value", options->value, "The dialog's value: I/Io, mu*t or mu*R (0 changes nothing)")
        ->required();
    cmd->callback([&exitCode, options] { exitCode = RunAbsorption(*options); });
  }
  {
    auto* cmd = app.add_subcommand(
        "angle-correction",
        "Angle Correction: the angles of every range shifted by Delta(x) and the intensities resampled\n"
        "onto the step grid. Delta is the typed line a + b * x/180, or the calibration polynomial stored\n"
        "in the user's profile USERS/NAME.USR of the program directory (the profile is not written).\n"
        "Example: keltor-cli angle-correction demo.raw --line 0.02,0 -o demo-shifted.raw\n"
        "         keltor-cli angle-correction demo.raw --stored --user lab1 -o demo-calibrated.raw");
    auto options = std::make_shared<AngleOptions>();
    AddOperationFileOptions(*cmd, options->files);
    auto* line = cmd->add_option("--line", options->line, "a,b: Delta(x) = a + b * x/180 (degrees)")
                     ->delimiter(',')
                     ->expected(2);
    auto* stored = cmd->add_flag("--stored", options->stored, "Use the calibration polynomial of the user's profile");
    auto* user = cmd->add_option("--user", options->user, "The user whose profile holds the calibration");
    line->excludes(stored);
    stored->needs(user);
    cmd->callback([&exitCode, options, line, stored] {
      if (line->count() == 0 && stored->count() == 0) {
        std::fprintf(stderr, "error: give --line A,B or --stored --user NAME\n");
        exitCode = 2;
        return;
      }
      exitCode = RunAngleCorrection(*options);
    });
  }
}

}  // namespace keltor::cli
