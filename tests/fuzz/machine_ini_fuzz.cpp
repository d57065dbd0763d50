// Feeds arbitrary bytes as machine.ini: the description parses or is
// refused with a MachineError naming the file and line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/machine/description.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    platform::ParseMachineDescription(std::string(reinterpret_cast<const char*>(data), size), "machine.ini");
  } catch (const platform::MachineError& error) {
    if (std::string(error.what()).find("machine.ini") == std::string::npos) __builtin_trap();
  }
  return 0;
}
