// Minimal stand-in so the files area links before the environment area is
// merged: values come from machine.ini's [Environment] only. To be replaced
// by the full process environment.
#include "platform/machine/environment.h"

#include "platform/base/cp1252.h"
#include "platform/machine/machine.h"

namespace platform {

std::optional<std::string> EnvironmentValue(std::string_view name) {
  Machine* machine = CurrentMachine();
  if (!machine) return std::nullopt;
  for (const auto& [key, value] : machine->description().environment)
    if (EqualsNoCase(key, name) && !value.empty()) return value;
  return std::nullopt;
}

}  // namespace platform
