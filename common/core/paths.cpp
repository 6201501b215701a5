#include "common/core/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace km {

namespace {

constexpr std::string_view kSeparators = "/\\";
constexpr char kPlatformSeparator = '/';

bool HasDrive(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// Position of the next separator after position from, or npos.
size_t NextSeparator(std::string_view path, size_t from) {
  if (from + 1 >= path.size()) return std::string_view::npos;
  return path.find_first_of(kSeparators, from + 1);
}

}  // namespace

bool IsPathSeparator(char c) { return c == '/' || c == '\\'; }

std::string DirectoryOf(std::string_view path) {
  const size_t last = path.find_last_of(kSeparators);
  if (last == std::string_view::npos) return {};
  const size_t rootLength = HasDrive(path) ? 3 : 1;
  if (last + 1 <= rootLength) return std::string(path.substr(0, last + 1));
  return std::string(path.substr(0, last));
}

std::string FileNameOf(std::string_view path) {
  const size_t last = path.find_last_of(kSeparators);
  return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string ExtensionOf(std::string_view path) {
  const size_t point = path.find_last_of('.');
  if (point == std::string_view::npos) return {};
  const size_t last = path.find_last_of(kSeparators);
  if (last != std::string_view::npos && point < last) return {};
  return std::string(path.substr(point + 1));
}

void AbbreviatePath(std::string& path, int maxLength) {
  const long m = maxLength;
  const long length = static_cast<long>(path.size());
  if (m >= length) return;
  const size_t lastSeparator = path.find_last_of(kSeparators);
  const size_t nameStart = lastSeparator == std::string::npos ? 0 : lastSeparator + 1;
  const std::string name = path.substr(nameStart);
  const long n = static_cast<long>(name.size()) - 1;
  if (m < n) {
    path.resize(static_cast<size_t>(m > 4 ? m - 4 : 0));
    path += "...";
    return;
  }
  // The volume part kept in front: "C:\dir", "\\server\share" or "/dir".
  size_t p = 2;
  const bool network = path.size() > 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]) &&
                       !IsPathSeparator(path[2]);
  if (network) p = NextSeparator(path, p);
  if (p != std::string::npos && length - n > 3) p = NextSeparator(path, p);
  if (p == std::string::npos || p > lastSeparator || lastSeparator == std::string::npos) {
    path = name;
    return;
  }
  const long kept = static_cast<long>(p);
  if (m < kept + n + 4) {
    path = name;
    return;
  }
  size_t q = p;
  while (kept + (length - static_cast<long>(q)) - 1 + 3 > m) {
    const size_t next = NextSeparator(path, q);
    if (next == std::string::npos) break;
    q = next;
  }
  path = path.substr(0, p) + path[p] + "..." + path.substr(q);
}

std::string JoinPath(std::string_view dir, std::string_view name) {
  std::string out(dir);
  if (!out.empty() && !IsPathSeparator(out.back())) out += kPlatformSeparator;
  out += name;
  return out;
}

std::string TempDirectory() {
  const char* tmp = std::getenv("TMPDIR");
  std::string dir = tmp && *tmp ? tmp : "/tmp";
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

std::string MakeTempFileName(std::string_view prefix) {
  std::string pattern = JoinPath(TempDirectory(), std::string(prefix) + "XXXXXX");
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return {};
  ::close(fd);
  return pattern;
}

namespace {

bool WriteAll(int fd, const char* data, size_t count) {
  while (count > 0) {
    const ssize_t n = ::write(fd, data, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    count -= static_cast<size_t>(n);
  }
  return true;
}

bool CopyContents(int in, int out) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    if (!WriteAll(out, buffer, static_cast<size_t>(n))) return false;
  }
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool CopyFileTo(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty()) return false;
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  std::string dir = DirectoryOf(to);
  if (dir.empty()) dir = ".";
  std::string temporary = JoinPath(dir, "." + FileNameOf(to) + ".XXXXXX");
  const int out = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (out < 0) {
    ::close(in);
    return false;
  }
  bool ok = CopyContents(in, out);
  ::close(in);
  ok = ok && ::fchmod(out, NewFileMode()) == 0;
  ok = ok && ::fsync(out) == 0;
  ok = ::close(out) == 0 && ok;
  ok = ok && ::rename(temporary.c_str(), to.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

bool DeleteFile(const std::string& path) { return !path.empty() && ::unlink(path.c_str()) == 0; }

bool ClearReadOnly(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return false;
  return (st.st_mode & S_IWUSR) || ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR);
}

}  // namespace km
