#include "platform/taskscheduler/task_scheduler_module.h"

#include <memory>

#include "platform/com/host_modules.h"

namespace platform::taskscheduler {
namespace {

std::unique_ptr<com::HostModule> TaskSchedulerService() {
  auto module = std::make_unique<com::HostModule>();
  module->name = "mstask";
  module->getClassObject = &GetClassObject;
  module->canUnloadNow = [] { return S_FALSE; };
  return module;
}

}  // namespace

void RegisterTaskSchedulerModule() { com::RegisterHostModule("mstask", &TaskSchedulerService); }

}  // namespace platform::taskscheduler
