#pragma once
// Merging REGEDIT4 text into a machine's registry, as regedit's import does.
#include <string_view>

namespace platform {
class Machine;
namespace registry {

// Keys are named by full root names (HKEY_LOCAL_MACHINE, HKEY_USERS,
// HKEY_CURRENT_USER, HKEY_CLASSES_ROOT, HKEY_CURRENT_CONFIG); a section that
// repeats merges. Throws MachineError naming `sourceName` and the line on a
// syntax error, before anything is changed.
void ImportRegistryText(Machine& machine, std::string_view text, std::string_view sourceName = "import");

}  // namespace registry
}  // namespace platform
