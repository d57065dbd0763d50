#include "support/temp_machine.h"

#include <gtest/gtest.h>

#include "install/program_folder.h"
#include "install/program_modules.h"
#include "platform/base/kernel_handles.h"
#include "platform/files/file_content.h"
#include "platform/open_machine.h"
#include "platform/registry/registry_store.h"
#include "support/COpSysInfo.h"

namespace tessaly::testing {

platform::MachineBuilder TestMachine(platform::OsKind os, install::InstallOptions installation) {
  platform::MachineBuilder builder(os);
  builder.systemDriveCapacity(kTestDriveBytes);
  return install::InstallProgram(builder, installation);
}

platform::MachineBuilder DriveTableMachine(platform::OsKind os) {
  using platform::DriveType;
  platform::MachineBuilder builder(os);
  install::InstallProgram(builder);
  bool nt = platform::FamilyOf(os) == platform::OsFamily::WinNT;
  builder.description().drives = {
      {'C', DriveType::Fixed, nt ? "NTFS" : "FAT32", "SYSTEM", 16ull << 20, 4096, true, false, 0x1234ABCD, ""},
      {'D', DriveType::CdRom, "CDFS", "", 650ull << 20, 2048, false, false, 0, ""},
      {'E', DriveType::Fixed, "FAT", "DATA", 1ull << 20, 512, true, true, 7, ""},
  };
  return builder;
}

platform::MachineBuilder SmallDriveMachine(platform::OsKind os) {
  platform::MachineBuilder builder = DriveTableMachine(os);
  builder.drive({'F', platform::DriveType::Fixed, "FAT", "SMALL", 64 * 1024, 4096, true, false, 0, ""});
  return builder;
}

TempMachine::TempMachine(platform::OsKind os) : TempMachine(TestMachine(os)) {}

TempMachine::TempMachine(const platform::MachineBuilder& builder)
    : folder_("tsy-machine"), clock_(std::make_shared<platform::VirtualClock>()) {
  builder.Build(machineFolder());
  std::filesystem::create_directories(outside());
  WriteHostFile(outside() / "sentinel.txt", "sentinel");
  Open();
}

TempMachine::~TempMachine() { Close(); }

std::filesystem::path TempMachine::hostPath(const std::string& windowsPath) const {
  return platform::HostPathForBuilder(machineFolder(), windowsPath);
}

std::filesystem::path TempMachine::drive(char letter) const {
  return machineFolder() / "drives" / std::string(1, letter);
}

std::filesystem::path TempMachine::hiveFile(const std::string& shortName) const {
  return machineFolder() / "registry" / (shortName + ".reg");
}

std::filesystem::path TempMachine::Put(const std::string& relative, const std::string& content, char letter) {
  std::filesystem::path path = drive(letter) / relative;
  std::filesystem::create_directories(path.parent_path());
  WriteHostFile(path, content);
  return path;
}

std::string TempMachine::HostContent(const std::string& relative, char letter) const {
  return ReadHostFile(drive(letter) / relative);
}

void TempMachine::WriteContent(const std::string& windowsPath, const std::string& bytes) {
  EXPECT_EQ(platform::files::WriteFileContent(windowsPath, bytes), 0u) << windowsPath;
}

std::optional<std::string> TempMachine::ReadContent(const std::string& windowsPath) {
  std::string bytes;
  if (platform::files::ReadFileContent(windowsPath, bytes) != 0) return std::nullopt;
  return bytes;
}

void TempMachine::Reopen() {
  Close();
  Open();
}

void TempMachine::Reconfigure(const std::function<void(platform::MachineDescription&)>& change) {
  Close();
  std::filesystem::path ini = machineFolder() / "machine.ini";
  platform::MachineDescription description = platform::LoadMachineDescription(ini);
  change(description);
  WriteHostFile(ini, platform::FormatMachineDescription(description));
  Open();
}

void TempMachine::ReopenAsLimitedUser(std::vector<platform::AccessRule> rules) {
  Reconfigure([&](platform::MachineDescription& description) {
    description.userKind = platform::UserKind::Limited;
    description.accessRules = std::move(rules);
  });
}

void TempMachine::Abandon() {
  binding_.reset();
  if (!machine_) return;
  try {
    auto& store = machine_->area<platform::registry::RegistryStore>();
    store.localMachine().dirty = false;
    store.users().dirty = false;
  } catch (const platform::MachineError&) {
    // A hive that does not load has nothing pending.
  }
  Close();
}

// The tests' process is the program's: its image and the modules it loads.
void TempMachine::Open() {
  install::RegisterProgramModules();
  Bind(platform::OpenMachine(machineFolder(), install::ProgramImage()));
}

void TempMachine::OpenLazily() {
  install::RegisterProgramModules();
  Bind(platform::Machine::Open(machineFolder(), install::ProgramImage()));
}

void TempMachine::Bind(std::unique_ptr<platform::Machine> machine) {
  platform::ResetKernelObjects();
  machine_ = std::move(machine);
  machine_->setClock(clock_);
  binding_.emplace(*machine_);
}

void TempMachine::Close() {
  binding_.reset();
  machine_.reset();
  // A new process: no handles and no version snapshot carry over.
  platform::ResetKernelObjects();
  ResetOSInfo();
}

}  // namespace tessaly::testing
