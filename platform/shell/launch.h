#pragma once
// Program starts and shell opens: recorded, never run. Tests script the
// result of ShellExecuteA and read the recorded calls from the journal.
#include <optional>
#include <string>

#include "platform/shell/shell_types.h"

namespace platform::shell {

// The next ShellExecuteA returns `result` instead of its computed value.
void ScriptShellExecuteResult(HINSTANCE result);
// Finds the program of a command line as the launch calls do: the full
// Windows path of an existing file, or nullopt.
std::optional<std::string> FindProgram(const std::string& commandLine);
// Forgets scripted results and restarts the task-id counter (a new process).
void ResetLaunches();

}  // namespace platform::shell

namespace platform::forms {

// The runtime's Shell statement: records the command line and the window
// style and returns the task id; a missing program raises 53.
double Shell(const std::string& pathName, int windowStyle = 1);

}  // namespace platform::forms
