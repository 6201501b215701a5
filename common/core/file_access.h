#pragma once
// Opening files the way the instrument suite shares them: readers deny others write access, a writer
// holds the file alone. Here that is POSIX open plus a non-blocking flock (shared for readers,
// exclusive for writers); a lock held elsewhere is a sharing violation.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/core/messages.h"

namespace km {

enum class OpenMode {
  Read,       // read only, others may read but not write
  ReadWrite,  // read and write an existing file, alone
  Create,     // create or truncate, read and write, alone
};

enum class OpenFailure { None, NotFound, BadPath, AccessDenied, SharingViolation, Other };

// An open file; closes itself. Reads and writes retry on interruption and report short transfers.
class File {
 public:
  File() = default;
  explicit File(int fd) : fd_(fd) {}
  File(File&& other) noexcept : fd_(other.fd_), flushOnClose_(other.flushOnClose_) { other.fd_ = -1; }
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File();

  bool IsOpen() const { return fd_ >= 0; }
  // Bytes read at offset (fewer only at the end of the file or on an error).
  size_t ReadAt(int64_t offset, void* buffer, size_t count) const;
  // True when every byte was written.
  bool WriteAt(int64_t offset, const void* buffer, size_t count);
  int64_t Size() const;
  bool Truncate(int64_t length);
  // Flushes to the disk (unless the file is scratch) and closes; false when the data may not have
  // reached the file.
  bool Close();
  // Scratch files (the workbench's working copies in the temporary directory) never outlive the
  // program: closing them need not wait for the disk.
  void MarkScratch() { flushOnClose_ = false; }

 private:
  int fd_ = -1;
  bool flushOnClose_ = true;
};

struct OpenResult {
  std::optional<File> file;
  OpenFailure failure = OpenFailure::None;
};

// Opens without saying anything.
OpenResult OpenFileQuiet(const std::string& path, OpenMode mode);

// The reporter's text for a failed open: "Raw file does not exist.\n\n/path" and the like.
std::string DescribeOpenFailure(OpenFailure failure, OpenMode mode, std::string_view path,
                                std::string_view typeWord);

// Opens the file; on failure shows why (stop icon) and returns nothing.
std::optional<File> OpenFileReport(MessageSink& sink, const std::string& path, OpenMode mode,
                                   std::string_view typeWord);

inline constexpr int kFileMustExist = 2;
inline constexpr int kFileMustNotExist = 1;
// Mode 2: true when a file or directory of that name exists. Mode 1: true when none exists.
bool FileTest(const std::string& path, int mode);

// True when both paths name one file: the same file by the file system (links included), or, where
// one does not exist yet, the same path once resolved. An empty path names no file.
bool SameFile(const std::string& a, const std::string& b);

// Reads a whole file (at most maxBytes); nothing when it cannot be opened or is larger.
std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes);

}  // namespace km
