#pragma once
// The NT family's pending operations, kept where Windows keeps them: pairs
// of "\??\path" texts in PendingFileRenameOperations, the second "" for a
// deletion.
#include <string>
#include <utility>
#include <vector>

#include "platform/base/wintypes.h"

namespace platform {
class Machine;
}

namespace platform::files {
// Appends one pair with the user's registry rights; the Win32 error when the
// value cannot be written.
DWORD AppendPendingRename(const std::string& source, const std::string& destination);
// The recorded pairs in order, removing the value.
std::vector<std::pair<std::string, std::string>> TakePendingRenames(Machine& machine);
}  // namespace platform::files
