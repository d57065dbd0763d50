#pragma once
// The answer provider's interactive backend: every request the program
// makes of the user (message and input boxes, pickers, popup menus, other
// dialogs) is shown as a real modal dialog.
#include <functional>

#include "platform/forms/answers.h"

namespace tessaly::gui {

// `beforeEach` runs before each dialog opens (the renderer brings its
// windows up to date there, so the dialog never stands over a stale window).
void InstallDialogs(std::function<void()> beforeEach = {});
void RemoveDialogs();
// Whether a dialog is open (the loop dispatches nothing meanwhile).
bool DialogOpen();

// The answer to one request, from a dialog (the backend InstallDialogs sets).
platform::forms::AskAnswer AskWithDialog(const platform::forms::AskRequest& request);

}  // namespace tessaly::gui
