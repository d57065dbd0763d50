#pragma once
// The program's own log-on entry: a string value named after the program's
// title in "Software\Microsoft\Windows\CurrentVersion\Run" of both the
// machine's and the user's hive while switched on, moved to the sibling key
// "...\Run-" (which Windows ignores) while switched off. Failures are not
// reported; each hive is handled whatever became of the other.
#include <string>

namespace tools {

// Removes the switched-off copy and writes `command` under "Run".
void EnableStartupEntry(const std::string& command, const std::string& title);
// Removes the live value and writes `command` under "Run-".
void DisableStartupEntry(const std::string& command, const std::string& title);

}  // namespace tools
