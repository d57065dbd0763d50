#pragma once
// The process's environment: a copy of the machine's, built from the OS
// defaults and machine.ini's [Environment], reloaded at restart.
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/wintypes.h"

namespace platform {
class Machine;

// The value of a variable of the current process (names ignore case).
std::optional<std::string> EnvironmentValue(std::string_view name);
// %NAME% expansion as ExpandEnvironmentStringsA does it.
std::string ExpandEnvironment(std::string_view text);
// Sets a variable of the process copy; a null value removes it. False when
// no machine is bound or a removed variable was not set.
bool SetEnvironmentValue(std::string_view name, const char* value);
// Forgets the process copy; the next use rebuilds it from the description.
void ResetProcessEnvironment();
}  // namespace platform

DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size);
BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value);
DWORD ExpandEnvironmentStringsA(LPCSTR source, LPSTR destination, DWORD size);
