#include "platform/files/unmapped_drive.h"

#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"
#include "platform/machine/machine.h"

namespace platform::files {

void RaiseIfUnmappedDrive(std::string_view path) {
  constexpr std::int32_t kDiskNotReady = 71, kDeviceUnavailable = 68;
  Machine* machine = CurrentMachine();
  if (!machine) RaiseRuntimeError(kDiskNotReady);
  if (path.size() < 2 || path[1] != ':') return;
  char letter = UpperChar(path[0]);
  if (letter < 'A' || letter > 'Z' || !machine->description().drive(letter)) RaiseRuntimeError(kDeviceUnavailable);
}

}  // namespace platform::files
