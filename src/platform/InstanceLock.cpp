/** @file InstanceLock.cpp A lock file that only one process can hold at a time (flock). */
#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FileSystem.h"

namespace plat {

InstanceLock::InstanceLock(const std::filesystem::path& file) {
  fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) {
    message_ = file.string() + "（" + SystemErrorText(errno) + "）";
    return;
  }
  // flock locks belong to the open file, so a second open in the same process is refused too.
  int r;
  do r = ::flock(fd_, LOCK_EX | LOCK_NB);
  while (r != 0 && errno == EINTR);
  if (r == 0) {
    state_ = State::Held;
    return;
  }
  int err = errno;
  ::close(fd_);
  fd_ = -1;
  if (err == EWOULDBLOCK) {
    state_ = State::Busy;
  } else {
    message_ = file.string() + "（" + SystemErrorText(err) + "）";
  }
}

InstanceLock::~InstanceLock() { Release(); }

void InstanceLock::Release() {
  if (fd_ >= 0) {
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
  }
  if (state_ == State::Held) state_ = State::Released;
}

}  // namespace plat
