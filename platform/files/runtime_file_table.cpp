#include "platform/files/runtime_file_table.h"

#include "platform/base/runtime_error.h"
#include "platform/files/unmapped_drive.h"

namespace platform::vb::detail {
namespace {
constexpr std::int32_t kDiskNotReady = 71;
}

RuntimeFileTable& Table() {
  Machine* machine = CurrentMachine();
  if (!machine) RaiseRuntimeError(kDiskNotReady);
  return machine->area<RuntimeFileTable>();
}

void RaiseForWin32(DWORD win32Code) { RaiseRuntimeError(RuntimeErrorForWin32(win32Code)); }

void CheckDriveOf(std::string_view path) { files::RaiseIfUnmappedDrive(path); }

}  // namespace platform::vb::detail
