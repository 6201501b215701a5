#pragma once
// The one raw data file the workbench holds. The opened file itself is never written: the first
// change copies it into a working copy in the temporary directory, every later change rewrites that
// copy, and only an explicit save copies it onto a file the user chose.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/core/messages.h"
#include "common/core/raw_file.h"
#include "common/core/raw_format.h"

namespace keltor {

class WorkbenchFile {
 public:
  std::string DocumentPath;      // the open raw data file; empty when none is open
  km::RawFileContext OpenedFile;  // as read when it was opened
  km::RawFileContext WorkingFile;  // the current state; Path names the working copy once there is one
  std::string WorkingCopyPath;   // temporary file with prefix "RAW"; empty while there is none
  bool IsModified = false;       // reads come from the working copy while set
  std::array<bool, km::kMaxRanges> RangeModified{};  // element n-1: range n was changed
  std::string SaveAsPath;        // target of the last save dialog
  km::RawExtHeader ExtHeader{};  // of the open file; written into the working copy on every rewrite
  km::RawRangeHeader CurrentRangeHeader = km::ZeroRangeHeader();
  std::vector<float> CurrentRangeData = std::vector<float>(km::kWorkbenchMaxPoints);
  std::vector<float> ScratchRangeData = std::vector<float>(km::kWorkbenchMaxPoints);

  // A file is open, complete, has at least one range and is a measured scan: the data commands apply.
  bool HasUsableData() const;

  void SetRangeModified(int rangeNumber, bool modified = true);
  bool IsRangeModified(int rangeNumber) const;
  void ClearRangeModified() { RangeModified.fill(false); }

  // The header of the working copy while modified (extHeader untouched), else of the open file.
  bool ReadWorkbenchHeader(km::MessageSink& sink, km::RawFileHeader& header, km::RawExtHeader* extHeader) const;

  // Range n (negative: its header only) from the working copy while modified, else from the open
  // file. The contexts are not changed by reading.
  bool ReadWorkbenchRange(km::MessageSink& sink, int rangeNumber, km::RawRangeHeader& rangeHeader,
                          std::span<float> data) const;
  // The whole file ReadWorkbenchRange reads from, in one read, or nothing when it cannot be read so
  // (reading range by range then shows why). ParseWorkbenchRange reads range n from those bytes with
  // the same checks, messages and results.
  std::optional<std::string> ReadWorkbenchBytes() const;
  bool ParseWorkbenchRange(km::MessageSink& sink, std::string_view bytes, int rangeNumber,
                           km::RawRangeHeader& rangeHeader, std::span<float> data) const;

  // -1 prepares the working copy only; 0 writes a working copy holding the headers alone; n >= 1
  // rewrites the working copy with range n taken from the arguments and the others kept. To append,
  // first set WorkingFile.Header.MeasuredRangeCount and WorkingFile.MeasuredRanges to the new count
  // and pass that count as n. A failed rewrite leaves the working copy and its header as they were.
  bool SaveWorkbenchRange(km::MessageSink& sink, int rangeNumber, km::RawRangeHeader& rangeHeader,
                          std::span<const float> data);

  // A command that changes every range at once (the corrections) rewrites the working copy once:
  // ranges 1..ranges.size() from the arguments, all or nothing. Ranges with Changed set are marked as
  // rewritten by the workbench; the others are written as they were read. A failed rewrite leaves the
  // working copy and its header as they were.
  struct WholeRange {
    km::RawRangeHeader Header;
    std::vector<float> Data;  // PointCount values (more are ignored)
    bool Changed = false;
  };
  bool SaveWorkbenchRanges(km::MessageSink& sink, std::span<WholeRange> ranges);
  // Every range 1..MeasuredRanges, read in full as ReadWorkbenchRange reads them (Changed clear).
  bool ReadWorkbenchRanges(km::MessageSink& sink, std::vector<WholeRange>& ranges) const;
  // Every range 1 .. headers.size() replaced at once: a new working copy is written beside the old
  // one and takes its place when complete (the old copy, or the opened file, is never rewritten in
  // place). data[i] holds headers[i].PointCount values. A failure leaves everything as it was.
  bool SaveWorkbenchRanges(km::MessageSink& sink, std::span<km::RawRangeHeader> headers,
                           std::span<const std::vector<float>> data);

  // Asks whether to save pending changes; No drops them (DropChanges). True only for Yes.
  bool QuerySaveChanges(km::MessageSink& sink);

  // Writes the working copy with the working header to SaveAsPath when changes are pending. The
  // target is replaced only by a complete file: on failure it stays as it was, the user is told and
  // the changes stay pending. On success the workbench goes on with the opened file (DropChanges).
  bool CommitSave(km::MessageSink& sink);

  // Removes the working copy from the disk, if there is one.
  void DeleteWorkingCopy();

  // Back to the opened file as it is on disk: no working copy, no marks, the opened header.
  void DropChanges();

 private:
  bool CreateWorkingCopy(km::MessageSink& sink);
  void StampWorkingHeader();
  // Rewrites every range of the working copy, range n (0: none) from the arguments.
  bool RewriteWithSnapshot(km::MessageSink& sink, int rangeNumber, km::RawRangeHeader& rangeHeader,
                           std::span<const float> data);
  bool RewriteWorkingCopy(km::MessageSink& sink, int rangeNumber, km::RawRangeHeader& rangeHeader,
                          std::span<const float> data, const std::string& snapshotPath, int rangeCount);
  // Range editing: range n replaced (or appended) in one write of the whole working copy, the other
  // ranges' blocks carried over byte for byte. Nothing (no message) when the working copy's block
  // tables do not allow it; then the caller rewrites range by range.
  std::optional<bool> SpliceIntoWorkingCopy(km::MessageSink& sink, int rangeNumber, km::RawRangeHeader& rangeHeader,
                                            std::span<const float> data);
};

// Every range of the working file in full (data[i] cut to its point count), or false after the
// reader's message. Used with SaveWorkbenchRanges.
bool ReadAllWorkbenchRanges(const WorkbenchFile& file, km::MessageSink& sink, std::vector<km::RawRangeHeader>& headers,
                            std::vector<std::vector<float>>& data);
// Range n replaced and the working copy written anew in one pass, as SaveWorkbenchRange(n) does it
// by rewriting the copy in place.
bool ReplaceWorkbenchRange(WorkbenchFile& file, km::MessageSink& sink, int rangeNumber, km::RawRangeHeader& header,
                           std::span<const float> values);

}  // namespace keltor
