#include "support/registry_fixture.h"

#include <fstream>
#include <sstream>

#include "platform/registry/registry_store.h"

namespace tessaly::testing {

namespace {
void WriteDescription(const std::filesystem::path& folder, const ScratchMachineOptions& options) {
  platform::MachineDescription description;
  description.os = options.os;
  description.userKind = options.user;
  description.accessRules = options.accessRules;
  WriteHostFile(folder / "machine.ini", platform::FormatMachineDescription(description));
}
}  // namespace

ScratchMachine::ScratchMachine(const ScratchMachineOptions& options)
    : folder_("tsy-registry"), clock_(std::make_shared<platform::VirtualClock>()) {
  WriteDescription(folder(), options);
  std::filesystem::create_directories(folder() / "registry");
  Open();
}

void ScratchMachine::Reconfigure(const ScratchMachineOptions& options) {
  machine_->Flush();
  binding_.reset();
  machine_.reset();
  WriteDescription(folder(), options);
  Open();
}

ScratchMachine::~ScratchMachine() { Abandon(); }

std::filesystem::path ScratchMachine::hiveFile(const std::string& shortName) const {
  return folder() / "registry" / (shortName + ".reg");
}

void ScratchMachine::Open() {
  machine_ = platform::Machine::Open(folder());
  machine_->setClock(clock_);
  binding_ = std::make_unique<platform::MachineBinding>(*machine_);
}

void ScratchMachine::Abandon() {
  binding_.reset();
  if (!machine_) return;
  // Forget the pending changes, so that dropping the machine writes nothing.
  try {
    auto& store = machine_->area<platform::registry::RegistryStore>();
    store.localMachine().dirty = false;
    store.users().dirty = false;
  } catch (const platform::MachineError&) {
    // A hive that does not load has nothing pending.
  }
  machine_.reset();
}

void ScratchMachine::Reopen() {
  machine_->Flush();
  binding_.reset();
  machine_.reset();
  Open();
}

std::string ReadHostFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteHostFile(const std::filesystem::path& file, const std::string& content) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << content;
}

}  // namespace tessaly::testing
