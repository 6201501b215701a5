#include "keltor/gui/arithmetic_menu_commands.h"

#include <algorithm>
#include <iterator>

namespace keltor {

bool IsArithmeticMenuCommand(int id) {
  return std::find(std::begin(kArithmeticMenuCommands), std::end(kArithmeticMenuCommands), id) !=
         std::end(kArithmeticMenuCommands);
}

bool ArithmeticMenuCommandEnabled(const Workbench& workbench, int id) {
  switch (id) {
    case cmd::Alpha2Stripping: return workbench.CanStripAlpha2();
    case cmd::Title: case cmd::Wavelength: case cmd::Generator: return !workbench.File.DocumentPath.empty();
    default: return workbench.File.HasUsableData();
  }
}

void RunArithmeticMenuCommand(Workbench& workbench, int id) {
  switch (id) {
    case cmd::AddFile: workbench.OnRangesFileArithmetic(FileOperation::Add); break;
    case cmd::SubtractFile: workbench.OnRangesFileArithmetic(FileOperation::Subtract); break;
    case cmd::DivideFile: workbench.OnRangesFileArithmetic(FileOperation::Divide); break;
    case cmd::NormalizedIntensities: workbench.OnRangesNormalize(); break;
    case cmd::Alpha2Stripping: workbench.OnOperationsAlpha2Stripping(); break;
    case cmd::AddPoints: workbench.OnOperationsAddPoints(); break;
    case cmd::Title: workbench.OnParametersTitle(); break;
    case cmd::Wavelength: workbench.OnParametersWavelength(); break;
    case cmd::Generator: workbench.OnParametersGenerator(); break;
    default: break;
  }
}

}  // namespace keltor
