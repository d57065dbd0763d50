#pragma once
// The in-process modules the program's machines serve from the host.

namespace install {

// Registers the Schedule library (Schedule.dll stand-ins) and the Task
// Scheduler service (mstask.dll stand-ins) with the layer's COM runtime.
// Each is loaded on first use. Safe to call again.
void RegisterProgramModules();

}  // namespace install
