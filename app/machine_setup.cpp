#include "app/machine_setup.h"

#include <system_error>

#include "platform/machine/builder.h"
#include "platform/registry/registry_store.h"

namespace tessaly {

std::unique_ptr<platform::Machine> OpenOrCreateMachine(const std::filesystem::path& folder, bool& created) {
  std::error_code ec;
  created = !std::filesystem::exists(folder / "machine.ini", ec);
  if (created) platform::MachineBuilder(platform::OsKind::WinXP).Build(folder);
  auto machine = platform::Machine::Open(folder);
  // Load the hives now so a broken one is reported at start, naming its line.
  machine->area<platform::registry::RegistryStore>();
  return machine;
}

}  // namespace tessaly
