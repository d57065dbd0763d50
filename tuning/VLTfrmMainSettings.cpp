#include "tuning/VLTfrmMainSettings.h"

#include "platform/registry/advapi32.h"
#include "platform/runtime/conversions.h"
#include "support/path_helpers.h"
#include "tuning/suite_page.h"
#include "tuning/suite_registry.h"
#include "tuning/suite_settings.h"

using namespace platform::forms;

namespace {

// A stored box value: "0", "1" or "2"; anything else reads as unticked.
int StoredBoxValue(const std::string& name) {
  std::string text = tuning::GetSettingHKLM(tuning::kMainSettingsKey, name, "0");
  if (!platform::vb::IsNumeric(text)) return vbUnchecked;
  double value = platform::vb::Val(text);
  return value == 1 || value == 2 ? static_cast<int>(value) : vbUnchecked;
}

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
  chkRunMainProgram.Value(StoredBoxValue(chkRunMainProgram.Name()));
  chkRunProgramMini.Value(StoredBoxValue(chkRunProgramMini.Name()));
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
