#pragma once
// Each verb of keltor-cli lives in a file of its own and registers itself here. A verb's callback
// sets the exit code: 0 success, 1 the operation refused or failed (its message is on standard error).
#include <CLI/CLI.hpp>

namespace keltor::cli {

void AddInfoCommand(CLI::App& app, int& exitCode);
void AddListCommand(CLI::App& app, int& exitCode);
void AddMergeCommand(CLI::App& app, int& exitCode);
// File, Import.
void AddImportCommand(CLI::App& app, int& exitCode);
// Exchange formats: export
void AddExportCommand(CLI::App& app, int& exitCode);
// Range editing: truncate, delete, extract, combine, add-ranges.
void AddRangeCommands(CLI::App& app, int& exitCode);
// Absorption and angle correction (absorption, angle-correction).
void AddCorrectionCommands(CLI::App& app, int& exitCode);
// File arithmetic, normalisation, Alpha2 stripping, add points, parameters.
void AddArithmeticCommands(CLI::App& app, int& exitCode);  // add-file, subtract-file, divide-file, normalize
void AddReworkCommands(CLI::App& app, int& exitCode);      // strip-alpha2, add-points
void AddSetCommand(CLI::App& app, int& exitCode);
#ifdef KM_WITH_PLOT
// Needs Qt for fonts and pictures: only in builds with the desktop programs.
void AddPlotCommand(CLI::App& app, int& exitCode);
#endif

}  // namespace keltor::cli
