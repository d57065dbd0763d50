#pragma once
// The rule every runtime feature shares: a path on a drive letter that is
// not mapped (or a drive part that is no letter) raises 68 "Device
// unavailable", where the Win32 calls would answer 3.
#include <string_view>

namespace platform::files {

// Raises 68 for "Q:..." when Q: is not mapped; 71 when no machine is bound.
void RaiseIfUnmappedDrive(std::string_view path);

}  // namespace platform::files
