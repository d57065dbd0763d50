#pragma once
// "instance.lock" in the machine folder, held with an OS lock by the running
// program, so two processes on one machine folder see each other.
#include <string>

#include "platform/base/host_file.h"
#include "platform/machine/machine.h"

namespace platform::forms {

class InstanceLock : public MachineArea {
 public:
  explicit InstanceLock(Machine& machine);
  // True when another process held the lock when this one tried to take it.
  bool heldElsewhere() const { return heldElsewhere_; }
  bool held() const { return held_; }
  // Why the lock could be neither taken nor found held elsewhere (the file
  // cannot be created, opened or locked); empty when it could.
  const std::string& failure() const { return failure_; }
  // The program never runs without knowing whether it is alone: throws
  // MachineError naming the file and the reason when failure() is set.
  void Require() const;

 private:
  std::string path_;
  UniqueFd fd_;  // closing it releases the lock
  bool held_ = false;
  bool heldElsewhere_ = false;
  std::string failure_;
};

}  // namespace platform::forms
