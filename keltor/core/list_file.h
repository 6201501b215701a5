#pragma once
// The list file: the open raw data file as labelled text lines (file header, then each range with its
// angles, conditions and background points, and on request every intensity).
#include <string>
#include <vector>

#include "common/core/messages.h"
#include "keltor/core/workbench_file.h"

namespace keltor {

// Builds the lines for the workbench's file from its working header and ReadWorkbenchRange (into the
// file's current range buffers). False when a range could not be read: the reader has said why and
// the lines end after those built so far.
bool MakeListLines(km::MessageSink& sink, WorkbenchFile& file, bool fullFile, std::vector<std::string>& lines);

// Writes the lines with CR LF line ends, creating or truncating the file. Shows why on failure.
bool WriteListLines(km::MessageSink& sink, const std::string& path, const std::vector<std::string>& lines);

// The name Save List File proposes: the raw data file's path with ".lst" for its extension.
std::string ProposedListFileName(const std::string& documentPath);

// Where Print List File writes a list not saved before.
std::string DefaultPrintListPath(const std::string& workDirectory);

// The command line that makes the suite's text viewer print a list file.
std::string PrintListCommandLine(const std::string& programDirectory, const std::string& listPath);

}  // namespace keltor
