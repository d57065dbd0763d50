#pragma once
// Moves and deletions that wait for the next restart: the NT family keeps
// them in the registry (PendingFileRenameOperations), the 9x family in the
// [rename] section of WININIT.INI, which the program writes itself.
#include <memory>
#include <string>
#include <vector>

#include "platform/base/wintypes.h"

namespace platform {
class Machine;
}

namespace platform::files {

class FileSystem;

// Where the NT family keeps its pending operations: pairs of "\??\path"
// texts, the second "" for a deletion.
class PendingRenameStore {
 public:
  virtual ~PendingRenameStore() = default;
  // Appends one pair; the Win32 error when the value cannot be written.
  virtual DWORD Append(Machine& machine, const std::string& source, const std::string& destination) = 0;
  // The recorded pairs in order, removing the value.
  virtual std::vector<std::pair<std::string, std::string>> Take(Machine& machine) = 0;
};

// The store the layer uses: the registry value, or one a test installs
// (null puts the registry one back).
PendingRenameStore* CurrentPendingRenameStore();
void InstallPendingRenameStore(std::unique_ptr<PendingRenameStore> store);

// MoveFileExA(src, dst|NULL, DELAY_UNTIL_REBOOT) on the NT family.
DWORD ScheduleMoveAtRestart(FileSystem& fs, const char* source, const char* destination, DWORD flags);

// The restart's file work: NT pending operations, or 9x WININIT.INI lines,
// in order; an item that fails is skipped.
void ApplyDelayedMoves(FileSystem& fs);

}  // namespace platform::files
