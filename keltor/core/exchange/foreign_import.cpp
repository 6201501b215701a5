#include "keltor/core/exchange/foreign_import.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "common/core/file_access.h"
#include "common/core/paths.h"
#include "common/core/raw_file.h"
#include "common/core/text.h"
#include "keltor/core/exchange/siemens_raw_reader.h"
#include "keltor/core/exchange/udf_reader.h"
#include "keltor/core/workbench.h"

namespace keltor {

namespace {

constexpr char kImportFilter[] =
    "Philips Udf Files (*.udf)|*.udf|Siemens Raw Files (*.raw)|*.raw|All Files (*.*)|*.*||";
constexpr char kTargetFilter[] = "Raw Data Files (*.raw; *.r*)|*.raw; *.r*|All Files (*.*)|*.*||";
// No foreign file worth importing comes near this: 200 Siemens ranges of 32767 points with the
// longest headers take less than 40 MB, and UDF values beyond a range's points are not read.
constexpr size_t kMaxImportBytes = size_t{64} << 20;
// At most this many existing names are listed in the overwrite question of a split import.
constexpr size_t kListedExistingNames = 9;


// Passes every message on with the name of the file being built replaced by the target's, so that
// the user reads about the file he chose.
class RenamingSink : public km::MessageSink {
 public:
  RenamingSink(km::MessageSink& inner, std::string from, std::string to)
      : inner_(inner), from_(std::move(from)), to_(std::move(to)) {}
  void ShowMessage(std::string_view text, km::MessageIcon icon) override { inner_.ShowMessage(Rename(text), icon); }
  bool AskYesNo(std::string_view text, bool defaultNo) override { return inner_.AskYesNo(Rename(text), defaultNo); }

 private:
  std::string Rename(std::string_view text) const {
    std::string out(text);
    for (size_t at = out.find(from_); at != std::string::npos; at = out.find(from_, at + to_.size())) {
      out.replace(at, from_.size(), to_);
    }
    return out;
  }
  km::MessageSink& inner_;
  std::string from_;
  std::string to_;
};

// A new, empty file beside path with a name of its own; empty when none could be made.
std::string CreateFileBeside(const std::string& path) {
  const std::string dir = km::DirectoryOf(path);
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
    std::string file = ".";
    file += km::FileNameOf(path);
    file += ".import-";
    file += suffix;
    const std::string name = km::JoinPath(dir, file);
    const int fd = ::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      return name;
    }
    if (errno != EEXIST) break;
  }
  return {};
}

std::string LowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool ImportSingleFile(Workbench& wb, const std::string& importPath, const ImportedScan& scan, ImportResult& result) {
  WorkbenchUi& ui = wb.Ui();
  SaveFileRequest request;
  request.DefaultExtension = "raw";
  request.ProposedName = ImportTargetName(importPath);
  request.Filter = kTargetFilter;
  request.FilterIndex = 1;
  request.FilterCount = 1;
  request.ConfirmOverwrite = true;
  request.Title = "save imported file as";
  const auto target = ui.ChooseSaveFile(request);
  if (!target) return false;
  if (km::SameFile(*target, importPath)) {
    ui.ShowError("The imported file cannot be written over the file it is imported from:\n" + *target +
                 "\n\n Please choose another name.");
    return false;
  }
  // The imported file replaces the open one: pending changes are saved first if the user wishes.
  if (wb.File.QuerySaveChanges(ui)) {
    if (!wb.ChooseSavePath() || !wb.File.CommitSave(ui)) return false;
  }
  if (!WriteImportedFile(ui, *target, scan, 0, scan.Ranges.size())) return false;
  result.Written.push_back(*target);
  result.Imported = true;

  wb.File.DocumentPath.clear();
  if (wb.LoadWorkbenchFile(*target)) {
    wb.File.DocumentPath = *target;
    result.Opened = true;
  }
  wb.ResetFrameForFile();
  wb.Observer().OnFileChanged();
  return true;
}

bool ImportSplitFiles(Workbench& wb, const std::string& importPath, const ImportedScan& scan,
                      const std::string& splitDirectory, ImportResult& result) {
  WorkbenchUi& ui = wb.Ui();
  std::string base = PathWithoutExtension(importPath);
  if (!splitDirectory.empty()) base = km::JoinPath(splitDirectory, km::FileNameOf(base));
  const int count = static_cast<int>(scan.Ranges.size());

  // Every target is written anew; the user is asked first whenever any of them exists.
  std::vector<std::string> existing;
  for (int k = 1; k <= count; ++k) {
    const std::string name = SplitFileName(base, k);
    if (km::SameFile(name, importPath)) {
      ui.ShowError("The imported file cannot be written over the file it is imported from:\n" + name);
      return false;
    }
    if (km::FileTest(name, km::kFileMustExist)) existing.push_back(name);
  }
  if (!existing.empty()) {
    std::string question = "the files \n";
    for (size_t i = 0; i < existing.size() && i < kListedExistingNames; ++i) question += existing[i] + "\n";
    question += "... \n already exist!\n\n Overwrite ? ";
    if (!ui.AskYesNo(question)) return false;
  }
  for (int k = 1; k <= count; ++k) {
    const std::string name = SplitFileName(base, k);
    if (!WriteImportedFile(ui, name, scan, static_cast<size_t>(k - 1), 1)) return false;
    result.Written.push_back(name);
  }
  result.Imported = true;
  ui.ShowWarning(km::Printf("had extracted %i ranges from Siemens-Rawfile\n into %s.xxx", count, base.c_str()));
  return true;
}

}  // namespace

ImportFormat ImportFormatOf(std::string_view path) {
  const std::string extension = LowerCase(km::ExtensionOf(path));
  if (extension == "udf") return ImportFormat::Udf;
  if (extension == "raw" || extension == "rat") return ImportFormat::SiemensRaw;
  return ImportFormat::None;
}

bool ReadForeignFile(km::MessageSink& sink, const std::string& path, ImportFormat format, ImportedScan& scan) {
  if (format == ImportFormat::None) return false;
  const auto file =
      km::OpenFileReport(sink, path, km::OpenMode::Read, format == ImportFormat::Udf ? "import file" : " importfile ");
  if (!file) return false;
  const int64_t size = file->Size();
  std::vector<uint8_t> bytes(static_cast<size_t>(std::clamp<int64_t>(size, 0, kMaxImportBytes)));
  if (file->ReadAt(0, bytes.data(), bytes.size()) != bytes.size()) {
    sink.ShowError("Can't read from importfile!\n file may be corrupted");
    return false;
  }
  return format == ImportFormat::Udf ? ReadUdf(sink, bytes, scan) : ReadSiemensRaw(sink, bytes, scan);
}

std::string PathWithoutExtension(std::string_view path) {
  const std::string extension = km::ExtensionOf(path);
  if (extension.empty() && (path.empty() || path.back() != '.')) return std::string(path);
  return std::string(path.substr(0, path.size() - extension.size() - 1));
}

std::string ImportTargetName(std::string_view importPath) { return PathWithoutExtension(importPath) + ".raw"; }

std::string SplitFileName(std::string_view base, int rangeNumber) {
  return km::Printf("%s.%3.3d", std::string(base).c_str(), rangeNumber);
}

bool WriteImportedFile(km::MessageSink& sink, const std::string& path, const ImportedScan& scan, size_t first,
                       size_t count) {
  const std::string building = CreateFileBeside(path);
  if (building.empty()) {
    sink.ShowError(km::FormatCatalog(km::msg::FileCannotBeCreated, "Raw", path));
    return false;
  }
  RenamingSink renaming(sink, building, path);
  km::RawFileContext context;
  context.Path = building;
  context.Header = scan.Header;
  bool written = true;
  for (size_t i = 0; i < count && written; ++i) {
    const ImportedRange& source = scan.Ranges[first + i];
    km::RawRangeHeader range = source.Header;
    context.Header.RangeCount = 0;
    context.Header.MeasuredRangeCount = static_cast<int16_t>(i + 1);
    written = km::WriteRawRange(renaming, context, static_cast<int>(i + 1), range, source.Data);
  }
  std::error_code error;
  if (written) {
    std::filesystem::rename(building, path, error);
    if (!error) return true;
    sink.ShowError(km::FormatCatalog(km::msg::FileCannotBeCreated, "Raw", path));
  }
  std::filesystem::remove(building, error);
  return false;
}

ImportResult ImportForeignFile(Workbench& workbench, const std::string& importPath,
                               const std::string& splitDirectory) {
  ImportResult result;
  const ImportFormat format = ImportFormatOf(importPath);
  if (format == ImportFormat::None) return result;
  ImportedScan scan;
  {
    WaitCursor wait(workbench.Ui());
    if (!ReadForeignFile(workbench.Ui(), importPath, format, scan)) return result;
  }
  if (scan.Ranges.size() <= static_cast<size_t>(km::kMaxRanges)) {
    ImportSingleFile(workbench, importPath, scan, result);
  } else {
    WaitCursor wait(workbench.Ui());
    ImportSplitFiles(workbench, importPath, scan, splitDirectory, result);
  }
  return result;
}

void OnFileImport(Workbench& workbench) {
  OpenFileRequest request;
  request.Title = " choose file to import";
  request.DefaultExtension = "raw";
  request.Filter = kImportFilter;
  request.FilterIndex = 1;
  request.FileMustExist = true;
  request.PathMustExist = true;
  request.HideReadOnly = true;
  const auto choice = workbench.Ui().ChooseOpenFile(request);
  if (!choice) return;
  ImportForeignFile(workbench, choice->Path);
}

}  // namespace keltor
