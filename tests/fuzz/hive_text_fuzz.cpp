// Feeds arbitrary bytes as the user hive of a machine folder: opening the
// machine must load it or refuse it with a MachineError, nothing else.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "fuzz_machine.h"
#include "platform/machine/machine.h"
#include "platform/registry/registry_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto& fuzz = tessaly::fuzz::FuzzMachine::Get();
  static const std::filesystem::path hive = fuzz.hostFile("registry/HKU.reg");
  static const std::string original = [] {
    std::ifstream in(hive, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();
  {
    std::ofstream out(hive, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  try {
    auto machine = platform::Machine::Open(fuzz.folder());
    machine->area<platform::registry::RegistryStore>();
  } catch (const platform::MachineError&) {
  }
  std::ofstream(hive, std::ios::binary | std::ios::trunc) << original;
  return 0;
}
