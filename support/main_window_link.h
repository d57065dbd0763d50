#pragma once
// What the support library uses of the main window: its skin control, its
// "Show Popup Messages" box and its folder list. The main window registers
// itself here; each accessor refers to the main window's default instance,
// which creates and loads it (hidden) when it does not exist yet.
#include <functional>

#include "platform/activex/skin.h"
#include "platform/forms/controls/check_box.h"
#include "platform/forms/controls/list_box.h"

class MainWindowServices {
 public:
  virtual ~MainWindowServices() = default;
  virtual platform::activex::Skin& SkinControl() = 0;        // Form1.skn
  virtual platform::forms::CheckBox& SkipMessagesBox() = 0;  // Form1.chkSkipMessages
  virtual platform::forms::ListBox& FoundFoldersList() = 0;  // Form1.List_os
};

// Installs the function that returns the main window (its default instance).
void SetMainWindow(std::function<MainWindowServices&()> mainWindow);
// The main window, created and loaded on first reference. Raises 91 when no
// main window is registered.
MainWindowServices& MainWindow();
