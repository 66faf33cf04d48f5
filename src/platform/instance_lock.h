// One running game per home folder: an exclusive lock file that holds the owner's process id. A second start
// on the same home finds the owner and asks it to raise its window.
#pragma once

#include <filesystem>
#include <string>

namespace zelph::platform {

class InstanceLock {
 public:
  enum class State { Acquired, HeldByOther, Failed };

  // Takes the lock "<dir>/<name>.lock" (the name with characters unsafe in file names replaced).
  InstanceLock(const std::filesystem::path& dir, const std::string& name);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  State state() const { return state_; }
  // The process id written by the owner, when another process holds the lock (0 when unknown).
  int ownerPid() const { return ownerPid_; }
  const std::filesystem::path& file() const { return file_; }

  // Asks the owner to raise its window; true when the request could be delivered.
  bool AskOwnerToRaise() const;

 private:
  std::filesystem::path file_;
  int fd_ = -1;
  State state_ = State::Failed;
  int ownerPid_ = 0;
};

// The owner side: after InstallRaiseHandler, a raise request from a second start sets a flag that the window
// loop takes with TakeRaiseRequest.
void InstallRaiseHandler();
bool TakeRaiseRequest();

}  // namespace zelph::platform
