#pragma once
// "instance.lock" in the machine folder, held with an OS lock by the running
// program, so two processes on one machine folder see each other.
#include "platform/machine/machine.h"

namespace platform::forms {

class InstanceLock : public MachineArea {
 public:
  explicit InstanceLock(Machine& machine);
  ~InstanceLock() override;
  // True when another process held the lock when this one tried to take it.
  bool heldElsewhere() const { return heldElsewhere_; }
  bool held() const { return held_; }

 private:
  int fd_ = -1;
  bool held_ = false;
  bool heldElsewhere_ = false;
};

}  // namespace platform::forms
