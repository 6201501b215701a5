#pragma once
// The menu commands of file arithmetic, normalisation, Alpha2 stripping, add points and the parameter
// dialogs: when each is enabled and what runs it.
#include "keltor/core/workbench.h"

namespace keltor {

inline constexpr int kArithmeticMenuCommands[] = {
    cmd::AddFile,         cmd::SubtractFile, cmd::DivideFile, cmd::NormalizedIntensities, cmd::Alpha2Stripping,
    cmd::AddPoints,       cmd::Title,        cmd::Wavelength, cmd::Generator};

bool IsArithmeticMenuCommand(int id);
bool ArithmeticMenuCommandEnabled(const Workbench& workbench, int id);
void RunArithmeticMenuCommand(Workbench& workbench, int id);

}  // namespace keltor
