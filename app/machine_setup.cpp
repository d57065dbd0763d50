#include "app/machine_setup.h"

#include <system_error>

#include "platform/machine/builder.h"
#include "platform/open_machine.h"

namespace tessaly {

std::unique_ptr<platform::Machine> OpenOrCreateMachine(const std::filesystem::path& folder, bool& created) {
  std::error_code ec;
  created = !std::filesystem::exists(folder / "machine.ini", ec);
  if (created) platform::MachineBuilder(platform::OsKind::WinXP).Build(folder);
  return platform::OpenMachine(folder);
}

}  // namespace tessaly
