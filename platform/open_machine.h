#pragma once
// Opening a machine folder with every stored area loaded at once, so a
// broken hive or state file stops the machine at open with a message naming
// the file and line, before anything can write over it.
#include <filesystem>
#include <memory>
#include <string>

#include "platform/machine/machine.h"

namespace platform {

// `programImage` as for Machine::Open.
std::unique_ptr<Machine> OpenMachine(const std::filesystem::path& folder, std::string programImage = {});
// Loads every stored area of a machine opened with Machine::Open: the hives
// and the state files. Throws MachineError naming the file (and the line)
// that does not load.
void LoadMachineState(Machine& machine);

}  // namespace platform
