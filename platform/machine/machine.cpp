#include "platform/machine/machine.h"

#include <ctime>

#include "platform/base/cp1252.h"

namespace platform {
namespace {
Machine* g_current = nullptr;

int HostOffsetMinutes() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return static_cast<int>(local.tm_gmtoff / 60);
}
}  // namespace

Machine::Machine(std::filesystem::path folder, MachineDescription description)
    : folder_(std::move(folder)), description_(std::move(description)), clock_(std::make_shared<HostClock>()) {}

std::unique_ptr<Machine> Machine::Open(const std::filesystem::path& folder) {
  auto description = LoadMachineDescription(folder / "machine.ini");
  std::unique_ptr<Machine> machine(new Machine(std::filesystem::absolute(folder), std::move(description)));
  return machine;
}

Machine::~Machine() {
  if (g_current == this) g_current = nullptr;
  try {
    Flush();
  } catch (...) {
    // A failed final write leaves the previous state files in place.
  }
  // Areas go in reverse order of creation: later ones may use earlier ones.
  for (auto it = areaOrder_.rbegin(); it != areaOrder_.rend(); ++it) {
    for (auto entry = areas_.begin(); entry != areas_.end(); ++entry) {
      if (entry->second.get() == *it) {
        areas_.erase(entry);
        break;
      }
    }
  }
}

std::filesystem::path Machine::driveFolder(char letter) const {
  return folder_ / "drives" / std::string(1, UpperChar(letter));
}

StandardFolders Machine::folders() const { return DefaultFolders(description_.os, description_.userName); }

int Machine::localOffsetMinutes() const {
  // machine.ini keeps Windows' bias (UTC = local + bias).
  return description_.timeZoneBias ? -*description_.timeZoneBias : HostOffsetMinutes();
}

void Machine::Flush() {
  for (MachineArea* area : areaOrder_) area->Flush();
}

void Machine::Restart() {
  for (std::size_t i = 0; i < areaOrder_.size(); ++i) areaOrder_[i]->OnRestart();
  Flush();
}

Machine* CurrentMachine() { return g_current; }

MachineBinding::MachineBinding(Machine& machine) : previous_(g_current) { g_current = &machine; }
MachineBinding::~MachineBinding() { g_current = previous_; }

}  // namespace platform
