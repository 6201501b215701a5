// Ranges, Extract Range: each selected range into a new raw data file of its own, named after a
// pattern whose last character becomes the range number. The working file is not changed.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <span>

#include "common/core/file_access.h"
#include "common/core/paths.h"
#include "common/core/time_stamp.h"
#include "keltor/core/operations/extract_names.h"
#include "keltor/core/operations/range_selection.h"
#include "keltor/core/workbench.h"

namespace keltor {

bool Workbench::OnRangesExtract() {
  if (!File.HasUsableData() || File.WorkingFile.MeasuredRanges < 2) return false;
  const auto selection = SelectRanges(RangeSelectMode::Extract);
  if (!selection || selection->Ranges.empty()) return false;

  // The name is proposed from the user's file, not from the temporary working copy, and a name
  // without a directory lands beside the user's file.
  const auto typed = ui_.ChooseExtractFile(
      {.ProposedName = ProposedExtractName(File.DocumentPath), .InitialDirectory = State.WorkDirectory});
  if (!typed) return false;
  const std::string pattern = CompleteExtractName(*typed, km::DirectoryOf(File.DocumentPath));
  if (pattern.empty()) return false;

  std::string existing;
  for (int n : selection->Ranges) {
    const std::string name = ExtractFileName(pattern, n);
    // The workbench never writes over the file it has open.
    if (km::SameFile(name, File.DocumentPath) ||
        (!File.WorkingCopyPath.empty() && km::SameFile(name, File.WorkingCopyPath))) {
      ui_.ShowError(km::FormatCatalog(km::msg::FileCannotBeCreated, "Raw", name));
      return false;
    }
    if (km::FileTest(name, km::kFileMustExist)) existing += "\n" + name;
  }
  if (!existing.empty() && !ui_.AskYesNo("Overwrite existing file(s) ?\n" + existing)) return false;
  State.WorkDirectory = km::DirectoryOf(pattern);

  km::RawFileContext target = File.WorkingFile;
  std::memcpy(target.Header.Magic, km::kRawMagic, sizeof target.Header.Magic);
  km::SetFieldText(target.Header.CreatorProgram, "KELTOR");
  km::MakeTimeStamp(target.Header.CreationTime);
  target.Header.RangeBlock[0] = 0;
  for (int n : selection->Ranges) {
    target.Path = ExtractFileName(pattern, n);
    km::RawRangeHeader header = km::ZeroRangeHeader();
    if (!File.ReadWorkbenchRange(ui_, n, header, File.ScratchRangeData)) return false;
    target.Header.MeasuredRangeCount = 0;
    const auto points = std::span<const float>(File.ScratchRangeData)
                            .first(static_cast<size_t>(std::clamp<int>(header.PointCount, 0, km::kWorkbenchMaxPoints)));
    if (!km::WriteRawRange(ui_, target, 1, header, points, &File.ExtHeader)) {
      // A file cut short is no file: what the writer left behind goes; the ones before stay.
      km::DeleteFile(target.Path);
      return false;
    }
  }
  return true;
}

}  // namespace keltor
