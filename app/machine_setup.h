#pragma once
#include <filesystem>
#include <memory>

#include "platform/machine/machine.h"

namespace tessaly {

// The folder tsyT uses: TESSALY_MACHINE, else $XDG_DATA_HOME/tessaly/machine,
// else ~/.local/share/tessaly/machine.
std::filesystem::path DefaultMachineFolder();

// Opens the machine in `folder` as the running program, building the default
// image with the program installed there first when the folder is missing or
// empty, and takes its instance lock before any
// hive or state file is read. Throws platform::MachineError when an
// existing machine does not open or its lock cannot be taken (its files are
// left as they are).
std::unique_ptr<platform::Machine> OpenOrCreateMachine(const std::filesystem::path& folder, bool& created);

}  // namespace tessaly
