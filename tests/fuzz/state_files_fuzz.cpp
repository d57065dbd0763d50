// Feeds arbitrary bytes as each state file of a machine folder (the first
// byte picks which): the area that keeps it loads it or the machine is
// refused with a MachineError; nothing else.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "fuzz_machine.h"
#include "platform/files/file_metadata.h"
#include "platform/machine/machine.h"
#include "platform/shell/clipboard.h"
#include "platform/shell/tray.h"

namespace {

enum class StateFile { Tray, Clipboard, Metadata };

void Load(StateFile which, platform::Machine& machine) {
  switch (which) {
    case StateFile::Tray: machine.area<platform::shell::TrayArea>(); break;
    case StateFile::Clipboard: machine.area<platform::shell::ClipboardArea>(); break;
    case StateFile::Metadata: platform::files::MetadataStore(machine.stateFolder() / "files.meta"); break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const char* const kNames[] = {"state/tray.txt", "state/clipboard.txt", "state/files.meta"};
  const auto which = static_cast<StateFile>(data[0] % 3);
  auto& fuzz = tessaly::fuzz::FuzzMachine::Get();
  const std::filesystem::path file = fuzz.hostFile(kNames[static_cast<int>(which)]);
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }
  try {
    auto machine = platform::Machine::Open(fuzz.folder());
    Load(which, *machine);
  } catch (const platform::MachineError&) {
  }
  std::filesystem::remove(file);
  return 0;
}
