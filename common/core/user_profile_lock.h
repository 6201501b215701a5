#pragma once
// The suite's one lock around every read and write of a user profile, named "Qdif_Mutex_Userfile". Here
// it is an exclusive flock on a file of that name beside the profiles; the kernel drops it should a
// program die while holding it.
#include <string>

namespace km {

class UserProfileLock {
 public:
  // Waits without limit until the lock of the profile's directory is held. When the lock file can be
  // neither created nor opened (a missing or read-only directory) the profile is used without it: the
  // open of the profile that follows then reports what is wrong in the user's terms.
  explicit UserProfileLock(const std::string& profilePath);
  ~UserProfileLock();
  UserProfileLock(const UserProfileLock&) = delete;
  UserProfileLock& operator=(const UserProfileLock&) = delete;

  bool IsHeld() const { return fd_ >= 0; }

  // The lock file for a profile: the lock's name in the profile's directory.
  static std::string LockFileFor(const std::string& profilePath);

 private:
  int fd_ = -1;
};

}  // namespace km
