#include "platform/open_machine.h"

#include "platform/files/file_system.h"
#include "platform/registry/registry_store.h"
#include "platform/shell/clipboard.h"
#include "platform/shell/tray.h"

namespace platform {

std::unique_ptr<Machine> OpenMachine(const std::filesystem::path& folder, std::string programImage) {
  auto machine = Machine::Open(folder, std::move(programImage));
  LoadMachineState(*machine);
  return machine;
}

void LoadMachineState(Machine& machine) {
  machine.area<registry::RegistryStore>();
  files::LoadFileSystem(machine);
  machine.area<shell::TrayArea>();
  machine.area<shell::ClipboardArea>();
}

}  // namespace platform
