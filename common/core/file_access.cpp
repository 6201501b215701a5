#include "common/core/file_access.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "common/core/paths.h"

namespace km {

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.fd_;
    flushOnClose_ = other.flushOnClose_;
    other.fd_ = -1;
  }
  return *this;
}

File::~File() {
  if (fd_ >= 0) ::close(fd_);
}

size_t File::ReadAt(int64_t offset, void* buffer, size_t count) const {
  if (fd_ < 0 || offset < 0) return 0;
  auto* out = static_cast<char*>(buffer);
  size_t done = 0;
  while (done < count) {
    const ssize_t n = ::pread(fd_, out + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

bool File::WriteAt(int64_t offset, const void* buffer, size_t count) {
  if (fd_ < 0 || offset < 0) return false;
  const auto* in = static_cast<const char*>(buffer);
  size_t done = 0;
  while (done < count) {
    const ssize_t n = ::pwrite(fd_, in + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

int64_t File::Size() const {
  struct stat st {};
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) return -1;
  return st.st_size;
}

bool File::Truncate(int64_t length) { return fd_ >= 0 && ::ftruncate(fd_, static_cast<off_t>(length)) == 0; }

bool File::Close() {
  if (fd_ < 0) return true;
  bool ok = !flushOnClose_ || ::fsync(fd_) == 0 || errno == EINVAL || errno == EROFS;
  ok = ::close(fd_) == 0 && ok;
  fd_ = -1;
  return ok;
}

namespace {

OpenFailure FailureOf(int error) {
  switch (error) {
    case ENOENT: return OpenFailure::NotFound;
    case ENAMETOOLONG:
    case ENOTDIR:
    case EINVAL:
    case EISDIR:
    case ELOOP: return OpenFailure::BadPath;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY: return OpenFailure::AccessDenied;
    case EWOULDBLOCK: return OpenFailure::SharingViolation;
    default: return OpenFailure::Other;
  }
}

}  // namespace

namespace {

// A file directly in the temporary directory: the workbench's working copies and snapshots. A save
// copies them into place, and that copy is flushed.
bool IsScratchPath(std::string_view path) {
  const std::string dir = TempDirectory();
  return path.size() > dir.size() + 1 && path.substr(0, dir.size()) == dir && path[dir.size()] == '/' &&
         path.find('/', dir.size() + 1) == std::string_view::npos;
}

}  // namespace

OpenResult OpenFileQuiet(const std::string& path, OpenMode mode) {
  OpenResult result;
  if (path.empty() || path.find('\0') != std::string::npos) {
    result.failure = path.empty() ? OpenFailure::NotFound : OpenFailure::BadPath;
    return result;
  }
  int flags = O_CLOEXEC;
  flags |= mode == OpenMode::Read ? O_RDONLY : O_RDWR;
  if (mode == OpenMode::Create) flags |= O_CREAT;
  int fd = -1;
  do {
    fd = ::open(path.c_str(), flags, 0644);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    result.failure = FailureOf(errno);
    return result;
  }
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    result.failure = OpenFailure::BadPath;
    return result;
  }
  // The lock is taken before a created file is truncated, so a file another program holds is never cut.
  if (::flock(fd, (mode == OpenMode::Read ? LOCK_SH : LOCK_EX) | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    result.failure = error == EWOULDBLOCK ? OpenFailure::SharingViolation : FailureOf(error);
    return result;
  }
  if (mode == OpenMode::Create && ::ftruncate(fd, 0) != 0) {
    const int error = errno;
    ::close(fd);
    result.failure = FailureOf(error);
    return result;
  }
  result.file.emplace(fd);
  if (mode == OpenMode::Read || IsScratchPath(path)) result.file->MarkScratch();
  return result;
}

std::string DescribeOpenFailure(OpenFailure failure, OpenMode mode, std::string_view path,
                                std::string_view typeWord) {
  std::string verb;
  if (failure == OpenFailure::NotFound) {
    verb = "does not exist";
  } else {
    verb = mode == OpenMode::Create ? "cannot be created" : "cannot be opened";
    switch (failure) {
      case OpenFailure::BadPath: verb += " (invalid file or path name)"; break;
      case OpenFailure::SharingViolation: verb += " (sharing violation)"; break;
      case OpenFailure::AccessDenied: verb += mode == OpenMode::Read ? " (access denied)" : " (no write access)"; break;
      default: break;
    }
  }
  std::string text;
  if (!typeWord.empty()) {
    text.append(typeWord).append(" file ");
  } else {
    text = "File ";
  }
  text.append(verb).append(".\n\n").append(path);
  return text;
}

std::optional<File> OpenFileReport(MessageSink& sink, const std::string& path, OpenMode mode,
                                   std::string_view typeWord) {
  OpenResult result = OpenFileQuiet(path, mode);
  if (!result.file) sink.ShowError(DescribeOpenFailure(result.failure, mode, path, typeWord));
  return std::move(result.file);
}

bool FileTest(const std::string& path, int mode) {
  struct stat st {};
  const bool exists = !path.empty() && ::stat(path.c_str(), &st) == 0;
  return mode == kFileMustExist ? exists : !exists;
}

std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes) {
  OpenResult opened = OpenFileQuiet(path, OpenMode::Read);
  if (!opened.file) return std::nullopt;
  const int64_t size = opened.file->Size();
  if (size < 0 || static_cast<uint64_t>(size) > maxBytes) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  bytes.resize(opened.file->ReadAt(0, bytes.data(), bytes.size()));
  return bytes;
}

bool SameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code error;
  if (std::filesystem::equivalent(a, b, error)) return true;
  std::error_code errorA;
  std::error_code errorB;
  const auto canonicalA = std::filesystem::weakly_canonical(a, errorA);
  const auto canonicalB = std::filesystem::weakly_canonical(b, errorB);
  if (errorA || errorB) return a == b;
  return canonicalA == canonicalB;
}

}  // namespace km
