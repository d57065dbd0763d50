#pragma once
// Installing the program on a machine being built: the program folder with
// the program and Schedule.dll, the program's resources, its App Paths entry
// and Schedule.dll's registration.
#include "platform/machine_builder.h"

namespace install {

struct InstallOptions {
  // Off leaves a machine where Schedule.dll is present but not registered.
  bool registerSchedule = true;
};

// Adds the program's installation to the machine `builder` makes.
platform::MachineBuilder& InstallProgram(platform::MachineBuilder& builder, InstallOptions options = {});

}  // namespace install
