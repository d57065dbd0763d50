#pragma once
// File and folder pickers over the emulated machine: the user browses its
// drives through the layer's own calls, so a choice is always a Windows path
// inside the machine (never a host path).
#include "platform/forms/answers.h"

namespace tessaly::gui {

// Folder pickers answer "OK" with one folder; file dialogs (prompt
// "ShowOpen" or "ShowSave") answer "OK" with one path, or several joined
// by "|" when the style allows a multi-select. Closing answers "Cancel".
platform::forms::AskAnswer AskForPath(const platform::forms::AskRequest& request);

}  // namespace tessaly::gui
