#pragma once
// The suite's main settings page: start the program with Windows, and the
// start-minimised option, kept under the suite's MainSettings key.
#include "platform/forms/forms.h"

class VLTfrmMainSettingsForm : public platform::forms::Form {
 public:
  VLTfrmMainSettingsForm();

  TSY_CONTROL(Frame, frameMainSettings);
  TSY_CONTROL_IN(Frame, frmStartup, frameMainSettings);
  TSY_CONTROL_IN(CheckBox, chkRunMainProgram, frmStartup);
  TSY_CONTROL_IN(CheckBox, chkRunProgramMini, frmStartup);
  TSY_CONTROL_IN(CommandButton, cmdSave, frameMainSettings);

  bool SettingsChanged() const { return settingsChanged_; }
  // Also enables or disables cmdSave.
  void SettingsChanged(bool value);

  // Reads both boxes (an unreadable value reads as 0) and, when the program
  // starts with Windows, writes the Run entry again with the current path.
  void LoadMainSettings();
  // Writes both boxes, then sets or removes the Run entry.
  void SaveMainSettings();

  void chkRunMainProgram_Click() { SettingsChanged(true); }
  void chkRunProgramMini_Click() { SettingsChanged(true); }
  void cmdSave_Click();

 protected:
  void Form_Load() override;

 private:
  bool settingsChanged_ = false;
};

VLTfrmMainSettingsForm& VLTfrmMainSettings();

namespace tuning {
// The suite's Run entry data: the program's quoted path, as the program's
// other start-up entries are written.
std::string SuiteRunCommand();
}  // namespace tuning
