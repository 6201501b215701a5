#include "common/core/user_program_directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "common/core/program_directory.h"
#include "common/core/user_profile_format.h"

namespace km {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

void TrimSeparators(std::string& path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
}

// The reason of an errno value, in the words of the C library (the programs run under the C locale).
std::string Reason(int error) {
  std::string text = std::strerror(error);
  return text.empty() ? "unknown error" : text;
}

void WarnFolder(MessageSink& sink, const std::string& folder, int error) {
  sink.ShowWarning("The program directory cannot be created:\n\n" + folder + "\n\n" + Reason(error) +
                   ".\nThe program runs without a user profile.");
}

void WarnFile(MessageSink& sink, const std::string& file, int error) {
  sink.ShowWarning("A file of the program directory cannot be written:\n\n" + file + "\n\n" + Reason(error) +
                   ".\nThe program runs without a user profile.");
}

// Makes the folder unless a folder of that name exists; 0 or the errno value.
int MakeFolder(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
  if (::mkdir(path.c_str(), 0777) == 0) return 0;
  const int error = errno;
  // Another program of the suite may have made it in the meantime.
  if (error == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return 0;
  return error;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// Writes the bytes to "<path>.part", flushes them to the disk and then gives the file its name, never
// replacing a file that appeared meanwhile. 0 or the errno value.
int WriteNewFile(const std::string& path, const void* bytes, size_t count) {
  const std::string part = path + ".part";
  int fd;
  do {
    fd = ::open(part.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno;
  int error = 0;
  const auto* in = static_cast<const char*>(bytes);
  size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(fd, in + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : ENOSPC;
      break;
    }
    done += static_cast<size_t>(n);
  }
  if (error == 0 && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) error = errno;
  if (::close(fd) != 0 && error == 0 && errno != EINTR) error = errno;
  if (error == 0 && ::link(part.c_str(), path.c_str()) != 0 && errno != EEXIST) error = errno;
  ::unlink(part.c_str());
  return error;
}

// The whole content of a regular file; false with errno's value in error when it cannot be read.
bool ReadFile(const std::string& path, std::vector<char>& bytes, int& error) {
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    error = errno;
    return false;
  }
  bytes.clear();
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = errno;
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  ::close(fd);
  return true;
}

// Copies every regular file of `from` (a missing folder holds none) that `to` lacks.
bool CopyMissingFiles(MessageSink& sink, const std::string& from, const std::string& to) {
  std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(from.c_str()), ::closedir);
  if (!folder) return true;
  while (const dirent* entry = ::readdir(folder.get())) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    const std::string source = from + '/' + name;
    const std::string target = to + '/' + name;
    struct stat st {};
    if (::stat(source.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || Exists(target)) continue;
    std::vector<char> bytes;
    int error = 0;
    if (!ReadFile(source, bytes, error)) continue;  // the installed copy is the packager's affair
    if ((error = WriteNewFile(target, bytes.data(), bytes.size())) != 0) {
      WarnFile(sink, target, error);
      return false;
    }
  }
  return true;
}

}  // namespace

std::string DefaultUserProgramDirectory() {
  std::string base = Environment("XDG_DATA_HOME");
  if (base.empty() || base.front() != '/') {
    const std::string home = HomeDirectory();
    if (home.empty()) return {};
    base = home == "/" ? "/.local/share" : home + "/.local/share";
  }
  TrimSeparators(base);
  return (base == "/" ? "" : base) + "/" + kUserProgramDirectoryName;
}

std::string HomeDirectory() {
  std::string home = Environment("HOME");
  if (home.empty() || home.front() != '/') {
    const passwd* entry = ::getpwuid(::getuid());
    home = entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
    if (home.empty() || home.front() != '/') return {};
  }
  TrimSeparators(home);
  return home;
}

std::string LoginUserName() {
  const passwd* entry = ::getpwuid(::getuid());
  std::string name = entry != nullptr && entry->pw_name != nullptr ? entry->pw_name : "";
  if (name.empty()) name = Environment("USER");
  if (name.empty()) name = Environment("LOGNAME");
  if (name == "." || name == "..") return {};
  for (const char c : name) {
    if (c == '/' || c == '\\' || c == '"' || static_cast<unsigned char>(c) < 0x20) return {};
  }
  return name;
}

bool PrepareUserProgramDirectory(MessageSink& sink, const std::string& directory, const std::string& installedData,
                                 const std::string& user, const std::string& workDirectory) {
  // The folders above it as well: a fresh account may have no ~/.local/share yet.
  for (size_t slash = directory.find('/', 1); slash != std::string::npos; slash = directory.find('/', slash + 1)) {
    const std::string parent = directory.substr(0, slash);
    if (!Exists(parent) && MakeFolder(parent) != 0) break;  // reported below, naming the directory itself
  }
  for (const std::string& folder : {directory, UsersDirectory(directory), ProgramsDirectory(directory)}) {
    if (const int error = MakeFolder(folder); error != 0) {
      WarnFolder(sink, folder, error);
      return false;
    }
  }
  if (!installedData.empty()) {
    if (!CopyMissingFiles(sink, ProgramsDirectory(installedData), ProgramsDirectory(directory))) return false;
    if (!CopyMissingFiles(sink, UsersDirectory(installedData), UsersDirectory(directory))) return false;
  }
  if (user.empty()) return true;
  const std::string profile = UserProfilePath(directory, user);
  if (Exists(profile)) return true;
  // A work directory too long for the profile's field is left out rather than cut short.
  const std::vector<uint8_t> bytes = NewUserProfile(
      workDirectory.size() < sizeof(UserProfileDirectory::WorkDirectory) ? workDirectory : std::string());
  if (const int error = WriteNewFile(profile, bytes.data(), bytes.size()); error != 0) {
    WarnFile(sink, profile, error);
    return false;
  }
  return true;
}

}  // namespace km
