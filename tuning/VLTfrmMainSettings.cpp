#include "tuning/VLTfrmMainSettings.h"

#include "platform/registry/advapi32.h"
#include "support/path_helpers.h"
#include "tuning/stored_settings.h"
#include "tuning/suite_page.h"
#include "tuning/suite_registry.h"
#include "tuning/suite_settings.h"

using namespace platform::forms;

namespace {

void WriteRunEntry(bool remove) {
  tuning::SetKeyValue(HKEY_CURRENT_USER, tuning::kRunKey, tuning::kRunValueName, REG_SZ, tuning::SuiteRunCommand(),
                      remove);
}

}  // namespace

namespace tuning {
std::string SuiteRunCommand() { return "\"" + AppPathFile(App.EXEName() + ".exe") + "\""; }
}  // namespace tuning

VLTfrmMainSettingsForm::VLTfrmMainSettingsForm() : Form("VLTfrmMainSettings") {
  frameMainSettings.Caption("Main Settings");
  frmStartup.Caption("Windows Startup");
  chkRunMainProgram.Caption("Run Main Program when windows start up");
  chkRunProgramMini.Caption("Run Program In system tray");
  cmdSave.Caption("&Save");
  chkRunMainProgram.Click.Handle([this] { chkRunMainProgram_Click(); });
  chkRunProgramMini.Click.Handle([this] { chkRunProgramMini_Click(); });
  cmdSave.Click.Handle([this] { cmdSave_Click(); });
}

void VLTfrmMainSettingsForm::SettingsChanged(bool value) {
  settingsChanged_ = value;
  cmdSave.Enabled(value);
}

void VLTfrmMainSettingsForm::Form_Load() {
  tuning::ApplySuitePageLook(*this);
  LoadMainSettings();
  SettingsChanged(false);
}

void VLTfrmMainSettingsForm::LoadMainSettings() {
  chkRunMainProgram.Value(tuning::StoredCheckValue(tuning::kMainSettingsKey, chkRunMainProgram.Name()));
  chkRunProgramMini.Value(tuning::StoredCheckValue(tuning::kMainSettingsKey, chkRunProgramMini.Name()));
  if (chkRunMainProgram.Value() == vbChecked) WriteRunEntry(false);
}

void VLTfrmMainSettingsForm::SaveMainSettings() {
  for (CheckBox* box : {&chkRunMainProgram, &chkRunProgramMini})
    tuning::SaveSettingHKLM(tuning::kMainSettingsKey, box->Name(), std::to_string(box->Value()));
  WriteRunEntry(chkRunMainProgram.Value() != vbChecked);
}

void VLTfrmMainSettingsForm::cmdSave_Click() {
  SaveMainSettings();
  SettingsChanged(false);
}

VLTfrmMainSettingsForm& VLTfrmMainSettings() { return DefaultInstance<VLTfrmMainSettingsForm>(); }
