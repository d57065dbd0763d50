#pragma once
// Moves and deletions that wait for the next restart: the NT family keeps
// them in the registry (PendingFileRenameOperations), the 9x family in the
// [rename] section of WININIT.INI, which the program writes itself.
#include "platform/base/wintypes.h"

namespace platform::files {

class FileSystem;

// MoveFileExA(src, dst|NULL, DELAY_UNTIL_REBOOT) on the NT family.
DWORD ScheduleMoveAtRestart(FileSystem& fs, const char* source, const char* destination, DWORD flags);

// The restart's file work: NT pending operations, or 9x WININIT.INI lines,
// in order; an item that fails is skipped.
void ApplyDelayedMoves(FileSystem& fs);

}  // namespace platform::files
