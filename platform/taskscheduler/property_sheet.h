#pragma once
// The task's property sheet is never shown: a test may script what the user
// does in it (change, and save, the task) before it closes. Unscripted, the
// task is left unchanged. Runs and sheet requests go to the shared journal.
#include <functional>

#include "platform/machine/machine.h"

struct ITask;

namespace platform::taskscheduler {

class TaskPropertySheet : public MachineArea {
 public:
  explicit TaskPropertySheet(Machine&) {}

  using Script = std::function<void(ITask& task)>;
  void setScript(Script script) { script_ = std::move(script); }
  const Script& script() const { return script_; }

 private:
  Script script_;
};

}  // namespace platform::taskscheduler
