#pragma once
// Direct use of the Task Scheduler service on the bound machine, kept apart
// from the forms runtime's window types.
#include <string>

namespace tessaly::testing {

// Saves an empty task of that name through the service.
void SaveOtherTask(const std::string& name);
// The property sheet, when next opened, deletes the task's first trigger
// and saves the task, as a user would.
void ScriptSheetDeletingFirstTrigger();
// The journal's last record of a task request ("Task.EditWorkItem TSY.job").
std::string LastTaskRequest();

}  // namespace tessaly::testing
