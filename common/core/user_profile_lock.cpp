#include "common/core/user_profile_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "common/core/messages.h"
#include "common/core/paths.h"

namespace km {

std::string UserProfileLock::LockFileFor(const std::string& profilePath) {
  return JoinPath(DirectoryOf(profilePath), CatalogText(msg::UserfileMutex));
}

UserProfileLock::UserProfileLock(const std::string& profilePath) {
  const std::string lockPath = LockFileFor(profilePath);
  int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) fd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  int locked = -1;
  do {
    locked = ::flock(fd, LOCK_EX);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    ::close(fd);
    return;
  }
  fd_ = fd;
}

UserProfileLock::~UserProfileLock() {
  if (fd_ < 0) return;
  ::flock(fd_, LOCK_UN);
  ::close(fd_);
}

}  // namespace km
