#include "platform/files/runtime_file_table.h"

#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"

namespace platform::vb::detail {
namespace {
constexpr std::int32_t kDiskNotReady = 71, kDeviceUnavailable = 68;
}

RuntimeFileTable& Table() {
  Machine* machine = CurrentMachine();
  if (!machine) RaiseRuntimeError(kDiskNotReady);
  return machine->area<RuntimeFileTable>();
}

void RaiseForWin32(DWORD win32Code) { RaiseRuntimeError(RuntimeErrorForWin32(win32Code)); }

void CheckDriveOf(std::string_view path) {
  if (path.size() < 2 || path[1] != ':') return;
  Machine* machine = CurrentMachine();
  if (!machine) RaiseRuntimeError(kDiskNotReady);
  char letter = UpperChar(path[0]);
  if (letter < 'A' || letter > 'Z' || !machine->description().drive(letter)) RaiseRuntimeError(kDeviceUnavailable);
}

}  // namespace platform::vb::detail
