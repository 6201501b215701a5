#pragma once
// File, Import: a Philips UDF or Siemens RAW file becomes a raw data file, which the workbench then
// opens; a Siemens file of more than eight ranges becomes one raw data file per range instead.
#include <string>
#include <string_view>
#include <vector>

#include "common/core/messages.h"
#include "keltor/core/exchange/imported_scan.h"

namespace keltor {

class Workbench;

enum class ImportFormat { None, Udf, SiemensRaw };

// By the file's extension, case ignored: "udf" is UDF; "raw" and "rat" are Siemens RAW.
ImportFormat ImportFormatOf(std::string_view path);

// Opens and reads the foreign file and parses it; false after the message.
bool ReadForeignFile(km::MessageSink& sink, const std::string& path, ImportFormat format, ImportedScan& scan);

// The path up to its last point (the whole path when it has none after its last separator).
std::string PathWithoutExtension(std::string_view path);

// The target proposed for a single raw data file: the import path with the extension "raw".
std::string ImportTargetName(std::string_view importPath);

// Range k of a split import: "BASE.001" and so on.
std::string SplitFileName(std::string_view base, int rangeNumber);

// Writes ranges [first, first+count) of the scan as a new raw data file at path, range first as range
// 1. The file is built beside the target and put in its place only when complete, so a failed write
// leaves an existing target as it was. False after the message.
bool WriteImportedFile(km::MessageSink& sink, const std::string& path, const ImportedScan& scan, size_t first,
                       size_t count);

struct ImportResult {
  bool Imported = false;             // every file was written
  bool Opened = false;               // the single file written is now the workbench's file
  std::vector<std::string> Written;  // the raw data files written, in order
};

// Imports one file as File, Import does once the file is chosen. splitDirectory, when not empty,
// receives the files of a split import instead of the import file's directory.
ImportResult ImportForeignFile(Workbench& workbench, const std::string& importPath,
                               const std::string& splitDirectory = {});

// The menu command: the import file choice, then ImportForeignFile.
void OnFileImport(Workbench& workbench);

}  // namespace keltor
