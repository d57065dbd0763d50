#include "app/machine_setup.h"

#include <system_error>

#include "platform/forms/instance_lock.h"
#include "platform/machine/builder.h"
#include "platform/open_machine.h"

namespace tessaly {

std::unique_ptr<platform::Machine> OpenOrCreateMachine(const std::filesystem::path& folder, bool& created) {
  // Only a folder with nothing at all named machine.ini is new: a link or
  // anything else in its place is refused when the machine opens.
  std::error_code ec;
  created = !std::filesystem::exists(std::filesystem::symlink_status(folder / "machine.ini", ec));
  if (created) platform::MachineBuilder(platform::OsKind::WinXP).Build(folder);
  auto machine = platform::Machine::Open(folder);
  // Nothing stored is read, let alone written, by a program that cannot tell
  // whether another one runs on the machine.
  machine->area<platform::forms::InstanceLock>().Require();
  platform::LoadMachineState(*machine);
  return machine;
}

}  // namespace tessaly
