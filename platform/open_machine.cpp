#include "platform/open_machine.h"

#include "platform/files/file_system.h"
#include "platform/registry/registry_store.h"

namespace platform {

std::unique_ptr<Machine> OpenMachine(const std::filesystem::path& folder) {
  auto machine = Machine::Open(folder);
  machine->area<registry::RegistryStore>();
  files::LoadFileSystem(*machine);
  return machine;
}

}  // namespace platform
