// keltor-cli set: the Parameters dialogs from the command line. Any combination of title, comment,
// radiation (or a user-defined wavelength) and generator settings; each part is checked as its
// dialog checks it, and a refused part leaves OUT unwritten.
#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "common/core/cp1252.h"
#include "common/core/text.h"
#include "keltor/cli/commands.h"
#include "keltor/cli/dialog_answers_ui.h"
#include "keltor/cli/operation_runner.h"

namespace keltor::cli {
namespace {

struct SetOptions {
  OperationFiles files;
  std::optional<std::string> title, comment, radiation;
  std::optional<float> wavelength;
  std::optional<int> kv, ma;
};

constexpr std::array<const char*, 6> kAnodeNames = {"Ag", "Mo", "Cu", "Co", "Fe", "Cr"};

// A header text from the command line; nothing when Windows-1252 cannot hold it.
std::optional<std::string> HeaderText(const std::string& utf8, const char* what) {
  std::string text = km::Utf8ToCp1252(utf8);
  if (km::Cp1252ToUtf8(text) != utf8) {
    std::fprintf(stderr, "error: the %s holds characters a raw data file cannot store\n", what);
    return std::nullopt;
  }
  return text;
}

// The comment edit holds several lines; the header keeps them with CR LF.
std::string WithCrLf(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

int RunSet(const SetOptions& o) {
  const bool titles = o.title || o.comment;
  const bool tube = o.radiation || o.wavelength;
  const bool generator = o.kv || o.ma;
  if (!titles && !tube && !generator) {
    std::fprintf(stderr, "error: set needs at least one of --title, --comment, --radiation, --wavelength, --kv, --ma\n");
    return 2;
  }
  DialogAnswersUi ui;
  if (o.title) {
    ui.Title = HeaderText(*o.title, "title");
    if (!ui.Title) return 1;
  }
  if (o.comment) {
    const auto comment = HeaderText(*o.comment, "comment");
    if (!comment) return 1;
    ui.Comment = WithCrLf(*comment);
  }
  if (o.radiation) {
    int index = -1;
    for (size_t i = 0; i < kAnodeNames.size(); ++i) {
      if (*o.radiation == kAnodeNames[i]) index = static_cast<int>(i);
    }
    if (index < 0) {
      std::fprintf(stderr, "error: unknown radiation %s (Ag, Mo, Cu, Co, Fe or Cr)\n", o.radiation->c_str());
      return 2;
    }
    ui.Wavelength = WavelengthChoice{index, 0.0f};
  }
  if (o.wavelength) ui.Wavelength = WavelengthChoice{kUserDefinedRadiation, *o.wavelength};
  ui.Voltage = o.kv;
  ui.Current = o.ma;
  return RunOperation(o.files, ui, [&](Workbench& wb) {
    if (titles && !wb.OnParametersTitle()) return false;
    if (tube && !wb.OnParametersWavelength()) return false;
    if (generator && !wb.OnParametersGenerator()) return false;
    return true;
  });
}

}  // namespace

void AddSetCommand(CLI::App& app, int& exitCode) {
  auto* cmd = app.add_subcommand("set", "Change title, comment, radiation or wavelength, and generator settings");
  auto o = std::make_shared<SetOptions>();
  AddOperationFileOptions(*cmd, o->files);
  cmd->add_option("--title", o->title, "File title, at most 79 characters");
  cmd->add_option("--comment", o->comment, "Comments, at most 191 characters (line breaks count two)");
  auto* radiation = cmd->add_option("--radiation", o->radiation, "Anode: Ag, Mo, Cu, Co, Fe or Cr (its wavelengths)");
  auto* wavelength = cmd->add_option("--wavelength", o->wavelength, "User-defined wavelength in Angstrom, 0.2 to 4.0");
  radiation->excludes(wavelength);
  cmd->add_option("--kv", o->kv, "Generator voltage, 0 to 60 kV");
  cmd->add_option("--ma", o->ma, "Generator current, 0 to 50 mA");
  cmd->footer("Each part is checked as its dialog checks it; kV x mA may not exceed the anode's maximum power.");
  cmd->callback([&exitCode, o] { exitCode = RunSet(*o); });
}

}  // namespace keltor::cli
