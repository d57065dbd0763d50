#pragma once
// What the main window's tool pages ask of the system tools. The tools use
// the cleaning engine, which reads the main window, so they sit above this
// library; the program installs them before the main window loads
// (mainwindow/run), tests install their own. Each main window gets its own
// tools object. Without one the pages stay empty and the start-up options
// write nothing.
#include <functional>
#include <memory>
#include <string>

#include "platform/forms/controls/list_box.h"
#include "platform/forms/controls/list_view.h"

class SystemTools {
 public:
  virtual ~SystemTools() = default;
  // Start-up manager: fills the list; enables or disables the selected row;
  // deletes the selected rows; the toggle button's caption for a row.
  virtual void LoadStartUpPrograms(platform::forms::ListView& list) {}
  virtual void ToggleStartUpProgram(platform::forms::ListView& list) {}
  virtual void ClearStartUpPrograms(platform::forms::ListView& list) {}
  virtual std::string ToggleCaption(const platform::forms::ListItem& row) { return "Disable"; }
  // Uninstall list: the display names and the parallel "name##command" rows.
  virtual void LoadUninstallList(platform::forms::ListBox& names, platform::forms::ListBox& commands) {}
  virtual void StartUninstaller(platform::forms::ListBox& names, platform::forms::ListBox& commands) {}
  // The program's own log-on entry.
  virtual void EnableStartupEntry(const std::string& command, const std::string& title) {}
  virtual void DisableStartupEntry(const std::string& command, const std::string& title) {}
};

using SystemToolsFactory = std::function<std::shared_ptr<SystemTools>()>;

// The tools every main window created from now on gets (none: no tools).
void InstallSystemTools(SystemToolsFactory factory);
std::shared_ptr<SystemTools> MakeSystemTools();
