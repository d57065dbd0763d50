#include "platform/forms/app_object.h"

#include "platform/forms/instance_lock.h"
#include "platform/machine/app_path.h"

namespace platform::forms {

AppObject App;

std::string AppObject::Path() const { return AppPath(); }

bool AppObject::PrevInstance() const {
  Machine* machine = CurrentMachine();
  return machine && machine->area<InstanceLock>().heldElsewhere();
}

namespace {
std::string& CommandLine() {
  static std::string* line = new std::string;
  return *line;
}
}  // namespace

std::string Command() { return CommandLine(); }
void SetCommandLine(std::string arguments) { CommandLine() = std::move(arguments); }

}  // namespace platform::forms
