#include "app/machine_setup.h"

#include <cstdlib>
#include <system_error>

#include "install/installation.h"
#include "install/program_folder.h"
#include "platform/forms/instance_lock.h"
#include "platform/machine_builder.h"
#include "platform/open_machine.h"

namespace tessaly {

std::filesystem::path DefaultMachineFolder() {
  if (const char* explicitFolder = std::getenv("TESSALY_MACHINE"); explicitFolder && *explicitFolder)
    return explicitFolder;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
    return std::filesystem::path(data) / "tessaly" / "machine";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home ? home : ".") / ".local" / "share" / "tessaly" / "machine";
}

std::unique_ptr<platform::Machine> OpenOrCreateMachine(const std::filesystem::path& folder, bool& created) {
  // Only a folder with nothing at all named machine.ini is new: a link or
  // anything else in its place is refused when the machine opens.
  std::error_code ec;
  created = !std::filesystem::exists(std::filesystem::symlink_status(folder / "machine.ini", ec));
  if (created) {
    platform::MachineBuilder builder(platform::OsKind::WinXP);
    install::InstallProgram(builder).Build(folder);
  }
  auto machine = platform::Machine::Open(folder, install::ProgramImage());
  // Nothing stored is read, let alone written, by a program that cannot tell
  // whether another one runs on the machine.
  machine->area<platform::forms::InstanceLock>().Require();
  platform::LoadMachineState(*machine);
  return machine;
}

}  // namespace tessaly
