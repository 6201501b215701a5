#pragma once
// The status file (".kzs"): the current picture of the viewer as text, one item a line, so that the
// same file set can be loaded again with the same colours, switches, cube and captions.
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/core/messages.h"
#include "morvane/core/viewer_state.h"

namespace morvane {

// The text of a status file for the current state, lines ended CR LF.
std::string FormatStatusFile(const ViewerState& state);

// Writes the status file; a file that cannot be created or written gets a message and false.
bool WriteStatusFile(const ViewerState& state, km::MessageSink& sink, const std::string& path);

// The settings keys after the file list, compared on their first 11 characters.
enum class StatusValueKind { Ints, Floats, Text };
struct StatusKey {
  std::string_view key;  // 11 characters
  StatusValueKind kind;
  int count;             // numbers expected
};
std::span<const StatusKey> StatusKeys();

// A status file as written, before anything is loaded.
struct StatusFile {
  std::vector<int> MainWin;  // the numbers found: left, top, right, bottom
  int NumFiles = 0;
  std::vector<std::string> Files;
  // Each line that matches a key: the key as listed in StatusKeys and the text from column 13.
  std::vector<std::pair<std::string_view, std::string>> Settings;
};

enum class StatusProblem { None, NotStatusFile, TooManyFiles, BadFileLine, NameTooLong };
struct StatusParse {
  StatusProblem problem = StatusProblem::None;
  int number = 0;  // the file line (0-based) or the file count the problem is about
};

StatusParse ParseStatusFile(std::string_view text, StatusFile& out);

// The message the viewer shows for a problem.
std::string DescribeStatusProblem(const StatusParse& parse);

// Numbers read from a value as scanf("%d %d ...") or ("%f ...") reads them: leading blanks skipped,
// stopping at the first that does not read.
std::vector<int> ScanInts(std::string_view value, int count);
std::vector<float> ScanFloats(std::string_view value, int count);

// The settings lines into the state; lines that were absent leave their values.
void ApplyStatusSettings(ViewerState& state, const StatusFile& file);

// Loads a status file: the placeholder set first, then the file set of the status file and the
// settings. window receives the main window rectangle of its second line when it had one. True when
// the file set was loaded; settingsRead (when given) tells whether the settings were taken over,
// which they are also when the set could not be loaded and the placeholder set stays.
bool ReadStatusFile(ViewerState& state, km::MessageSink& sink, const std::string& path, Rect* window = nullptr,
                    bool* settingsRead = nullptr);

}  // namespace morvane
