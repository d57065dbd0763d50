#include "support/temp_machine.h"

#include "platform/base/kernel_handles.h"
#include "platform/open_machine.h"
#include "support/COpSysInfo.h"

namespace tessaly::testing {

platform::MachineBuilder TestMachine(platform::OsKind os) {
  platform::MachineBuilder builder(os);
  builder.systemDriveCapacity(kTestDriveBytes);
  return builder;
}

TempMachine::TempMachine(platform::OsKind os) : TempMachine(TestMachine(os)) {}

TempMachine::TempMachine(const platform::MachineBuilder& builder)
    : folder_("tsy-machine"), clock_(std::make_shared<platform::VirtualClock>()) {
  builder.Build(folder_.path() / "machine");
  Open();
}

TempMachine::~TempMachine() { Close(); }

std::filesystem::path TempMachine::hostPath(const std::string& windowsPath) const {
  return platform::HostPathForBuilder(folder_.path() / "machine", windowsPath);
}

void TempMachine::Reopen() {
  Close();
  Open();
}

void TempMachine::Open() {
  platform::ResetKernelObjects();
  machine_ = platform::OpenMachine(folder_.path() / "machine");
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
