// Add, Subtract and Divide File and normalized Intensities: the Ranges menu commands that rescale or
// combine one range of the working file.
#include <algorithm>
#include <string>
#include <vector>

#include "common/core/paths.h"
#include "common/core/text.h"
#include "keltor/core/compatible_header.h"
#include "keltor/core/operations/scan_axis.h"
#include "keltor/core/workbench.h"

namespace keltor {

namespace {

const char* SourcePrompt(FileOperation operation) {
  switch (operation) {
    case FileOperation::Add: return "choose range to add";
    case FileOperation::Subtract: return "choose range to substract";
    case FileOperation::Divide: return "choose range to divide";
  }
  return "";
}

std::span<float> Points(std::vector<float>& data, const km::RawRangeHeader& header) {
  return std::span<float>(data).first(static_cast<size_t>(std::clamp<int>(header.PointCount, 0, km::kWorkbenchMaxPoints)));
}

}  // namespace

std::optional<int> Workbench::ChooseRange(int count, const std::string& path, const km::RawFileHeader& header,
                                          const char* prompt, RangeListPurpose purpose) {
  // The working file's headers come from its working copy once it has one.
  km::RawFileContext context;
  context.Path = path == File.DocumentPath && File.IsModified ? File.WorkingCopyPath : path;
  context.Header = header;
  const auto lines = RangeChoiceLines(ui_, context, count);
  if (!lines) return std::nullopt;
  const auto chosen = ui_.ChooseFromRangeList({*lines, path, prompt, purpose});
  if (!chosen || *chosen < 0 || *chosen >= count) return std::nullopt;
  return *chosen + 1;
}

bool Workbench::FinishRangeChange(int rangeNumber) {
  if (rangeNumber > 0) {
    File.SetRangeModified(rangeNumber);
  } else {
    for (int n = 1; n <= File.WorkingFile.MeasuredRanges; ++n) File.SetRangeModified(n);
  }
  NotifyDataChanged();
  return true;
}

bool Workbench::OnRangesFileArithmetic(FileOperation operation) {
  if (!File.HasUsableData()) return false;
  const km::RawFileHeader& working = File.WorkingFile.Header;
  int target = 1;
  if (File.WorkingFile.MeasuredRanges >= 2) {
    const auto chosen = ChooseRange(File.WorkingFile.MeasuredRanges, File.DocumentPath, working,
                                    "choose target range", RangeListPurpose::Target);
    if (!chosen) return false;
    target = *chosen;
  }
  km::RawRangeHeader h1 = km::ZeroRangeHeader();
  if (!File.ReadWorkbenchRange(ui_, -target, h1, {})) return false;

  OpenFileRequest request;
  request.Title = " choose file with source range";
  request.DefaultExtension = "raw";
  request.Filter = "Raw Data Files (*.raw; *.r*)|*.raw; *.r*|All Files (*.*)|*.*||";
  const auto choice = ui_.ChooseOpenFile(request);
  if (!choice) return false;
  km::RawFileContext source;
  source.Path = choice->Path;
  if (!km::ReadRawHeader(ui_, source.Path, source.Header)) return false;
  if (!IsCompatibleHeader(working, source.Header)) {
    ui_.ShowError(km::Printf("%s is not compatible with original file!", km::FileNameOf(source.Path).c_str()));
    return false;
  }
  const int sourceRanges = source.Header.MeasuredRangeCount;
  if (sourceRanges < 1) {
    ui_.ShowCatalogMessage(km::msg::NoData);
    return false;
  }
  int sourceRange = 1;
  if (sourceRanges != 1) {
    const auto chosen = ChooseRange(sourceRanges, source.Path, source.Header, SourcePrompt(operation),
                                    RangeListPurpose::Source);
    if (!chosen) return false;
    sourceRange = *chosen;
  }
  km::RawRangeHeader h2 = km::ZeroRangeHeader();
  if (!km::ReadRawRange(ui_, source, -sourceRange, h2, {})) return false;
  if (!CheckArithmeticRanges(ui_, working, h1, source.Header, h2)) return false;

  const auto factors = ui_.EditArithmeticFactors(
      ArithmeticFactors{}, [this](const ArithmeticFactors& f) { return CheckArithmeticFactors(ui_, f); });
  if (!factors) return false;

  WaitCursor wait(ui_);
  std::vector<float> t(km::kWorkbenchMaxPoints), s(km::kWorkbenchMaxPoints), result(km::kWorkbenchMaxPoints);
  if (!File.ReadWorkbenchRange(ui_, target, h1, t)) return false;
  if (!km::ReadRawRange(ui_, source, sourceRange, h2, s)) return false;
  const int count = CombineRanges(operation, IsOmegaScan(working), h1, Points(t, h1), h2, Points(s, h2),
                                  factors->M1, factors->M2, result);
  if (count < 1) {
    ui_.ShowError("Common angular region is too small.");
    return false;
  }
  if (!ReplaceWorkbenchRange(File, ui_, target, h1, std::span<const float>(result).first(static_cast<size_t>(count)))) {
    return false;
  }
  return FinishRangeChange(target);
}

bool Workbench::OnRangesNormalize() {
  if (!File.HasUsableData()) return false;
  int range = 1;
  if (File.WorkingFile.MeasuredRanges > 1) {
    const auto chosen = ChooseRange(File.WorkingFile.MeasuredRanges, File.DocumentPath, File.WorkingFile.Header,
                                    "choose range to normalize", RangeListPurpose::Single);
    if (!chosen) return false;
    range = *chosen;
  }
  const auto choice = ui_.EditNormalizeChoice(
      NormalizeChoice{}, [this](const NormalizeChoice& c) { return CheckNormalizeChoice(ui_, c); });
  if (!choice) return false;
  km::RawRangeHeader header = km::ZeroRangeHeader();
  std::vector<float> data(km::kWorkbenchMaxPoints);
  if (!File.ReadWorkbenchRange(ui_, range, header, data)) return false;
  const std::span<float> values = Points(data, header);
  const double factor = NormalizeFactor(ui_, *choice, values);
  if (!(factor > 0)) return false;
  ScaleRange(header, values, factor);
  if (!ReplaceWorkbenchRange(File, ui_, range, header, values)) return false;
  return FinishRangeChange(range);
}

}  // namespace keltor
