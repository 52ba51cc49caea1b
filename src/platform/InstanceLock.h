/** @file InstanceLock.h A lock file that only one process can hold at a time (flock). */
#pragma once
#include <filesystem>
#include <string>

namespace plat {

/// Holds an exclusive lock on a file while alive. The file itself stays behind; only the lock
/// matters, and the system drops it when the holder ends, also after a crash.
class InstanceLock {
 public:
  enum class State {
    Held,   ///< this object holds the lock
    Busy,   ///< another holder has it
    Error,  ///< the lock file cannot be opened or locked; Message() names it and says why in Japanese
    Released,  ///< was held and has been given up
  };

  /// Tries once, without waiting.
  explicit InstanceLock(const std::filesystem::path& file);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  State GetState() const { return state_; }
  bool Held() const { return state_ == State::Held; }
  const std::string& Message() const { return message_; }
  /// Gives the lock up before the object ends.
  void Release();

 private:
  int fd_ = -1;
  State state_ = State::Error;
  std::string message_;
};

}  // namespace plat
