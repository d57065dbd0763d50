#pragma once
// The uninstall list: one row per program registered under HKLM
// "Software\Microsoft\Windows\CurrentVersion\Uninstall" with a display name,
// the display names in a visible list and "name##command" in a hidden list
// kept parallel to it; and the start of the chosen uninstaller through the
// shell.
#include <optional>
#include <string>

#include "platform/base/wintypes.h"
#include "platform/forms/controls/list_box.h"

namespace tools {

// A REG_SZ value's text cut at its first NUL; `fallback` for a missing key
// or value and for a value of any other type.
std::string GetRegString(HKEY root, const std::string& path, const std::string& name,
                         const std::string& fallback = "");

// Appends the registered programs to both lists; a missing Uninstall key
// is reported and leaves them as they are.
void LoadUninstallList(platform::forms::ListBox& names, platform::forms::ListBox& commands);

struct UninstallCommand {
  std::string program, parameters;
};

// Program and parameters of an uninstall command: a quoted program is the
// text inside the quotes, the rest the parameters; otherwise the command is
// cut at the first blank after its first "."; a command without "." is all
// program. Nothing for a blank command.
std::optional<UninstallCommand> SplitUninstallCommand(const std::string& command);

// Starts the uninstaller of the selected row (the first when none is
// selected); nothing for an empty list or a blank command.
void StartUninstaller(platform::forms::ListBox& names, platform::forms::ListBox& commands);

}  // namespace tools
