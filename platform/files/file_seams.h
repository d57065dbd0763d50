#pragma once
// Test seams of the files area, acting on the bound machine: files held by
// "another process", in-use images, the write budget.
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/base/wintypes.h"
#include "platform/files/file_system.h"

namespace platform::files {

// Holds an existing file open elsewhere with deny-write or deny-all sharing.
DWORD HoldFileByOtherProcess(std::string_view windowsPath, HoldMode mode);
DWORD ReleaseHeldFile(std::string_view windowsPath);
// Marks a file as a loaded image (deleting gives 5, writing 32).
DWORD MarkFileInUse(std::string_view windowsPath);
// Bytes the rest of a test may write to the machine (none = unlimited).
void SetWriteBudget(std::optional<std::uint64_t> bytes);
// The most bytes (in whole clusters) a drive held at once since the last
// reset; 0 without a machine.
std::uint64_t PeakUsedBytes(char drive);
void ResetPeakUsedBytes(char drive);

}  // namespace platform::files
