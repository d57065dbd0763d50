#include "platform/machine/app_path.h"

#include "platform/machine/machine.h"

namespace platform {
std::string AppPath() {
  Machine* machine = CurrentMachine();
  return machine ? machine->programFolder() : std::string();
}
}  // namespace platform
