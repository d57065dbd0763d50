// The two start-up boxes of the options page. At most one is ticked; each
// click moves the program's own Run value between "Run" and "Run-" in both
// hives, with the switch of the ticked box. A box cleared by the other's
// handler, and the boxes the options store restores at start-up, write
// nothing: the live value always carries the ticked box's switch.
#include "mainwindow/Form1.h"

#include "support/path_helpers.h"

using namespace platform::forms;

namespace {
constexpr const char* kLoadSwitch = " /STARTUP";
constexpr const char* kCleanSwitch = " /STARTRUN";
}  // namespace

// The path is quoted: unquoted, a path with blanks would be resolved by trial.
std::string Form1Form::StartupCommand(const char* switchText) const {
  return "\"" + AppPathFile(App.EXEName() + ".exe") + "\"" + switchText;
}

void Form1Form::chkLoadStartUp_Click() { StartupBoxClicked(chkLoadStartUp, chkRunStarted, kLoadSwitch, kCleanSwitch); }

void Form1Form::chkRunStarted_Click() { StartupBoxClicked(chkRunStarted, chkLoadStartUp, kCleanSwitch, kLoadSwitch); }

// Only a tick (1) switches the entry on; a grey box counts as cleared.
void Form1Form::StartupBoxClicked(CheckBox& box, CheckBox& other, const char* ownSwitch, const char* otherSwitch) {
  if (loadingOptions_ || settingStartupBox_) return;
  const std::string& title = App.Title();
  if (box.Value() != vbChecked) {
    tools_->DisableStartupEntry(StartupCommand(ownSwitch), title);
    return;
  }
  tools_->DisableStartupEntry(StartupCommand(otherSwitch), title);
  tools_->EnableStartupEntry(StartupCommand(ownSwitch), title);
  settingStartupBox_ = true;
  other.Value(vbUnchecked);
  settingStartupBox_ = false;
  other.Refresh();
}
