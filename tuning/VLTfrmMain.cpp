#include "tuning/VLTfrmMain.h"

#include <algorithm>
#include <string>

#include "platform/forms/strings.h"
#include "support/language_packs.h"
#include "support/skins.h"
#include "tuning/VLTfrmAdvancedMode.h"
#include "tuning/VLTfrmBackUp.h"
#include "tuning/VLTfrmMainSettings.h"
#include "tuning/VLTfrmNetPingerSettings.h"
#include "tuning/VLTfrmRamConfiguration.h"
#include "tuning/VLTfrmSystemStatus.h"
#include "tuning/VLTfrmWizardMode.h"
#include "tuning/control_panel.h"
#include "tuning/os_version.h"
#include "tuning/suite_page.h"
#include "tuning/tcp_profile.h"

using namespace platform::forms;

namespace {

struct ButtonDesign {
  ControlArray<CommandButton>* array;
  int index;
  const char* caption;
};

// Unloads a page when it is loaded, without creating it.
template <class Page>
void UnloadPage() {
  if (IsLoaded<Page>()) Unload(DefaultInstance<Page>());
}

}  // namespace

VLTfrmMainForm::VLTfrmMainForm() : Form("VLTfrmMain") {
  Caption("Velotune");
  Design();
  TSY_ON_ARRAY(cmdVelotune, Click, cmdVelotune_Click);
  TSY_ON_ARRAY(cmdSystemSettings, Click, cmdSystemSettings_Click);
  TSY_ON_ARRAY(cmdRamBooster, Click, cmdRamBooster_Click);
  TSY_ON_ARRAY(cmdNetPinger, Click, cmdNetPinger_Click);
  cmdMainSettings.Click.Handle([this] { cmdMainSettings_Click(); });
}

void VLTfrmMainForm::Design() {
  const ButtonDesign buttons[] = {
      {&cmdVelotune, 1, "Wizard Mode111"},          {&cmdVelotune, 2, "Advanced Mode"},
      {&cmdVelotune, 3, "Backup"},                  {&cmdSystemSettings, 1, "Internet Settings"},
      {&cmdSystemSettings, 2, "System Properties"}, {&cmdSystemSettings, 3, "Modem Settings"},
      {&cmdSystemSettings, 4, "Network Settings"},  {&cmdRamBooster, 1, "System Status"},
      {&cmdRamBooster, 2, "Ram Configuration"},     {&cmdNetPinger, 1, "Ping Settings"},
  };
  // A column of buttons beside the frame that hosts the pages.
  constexpr float kInset = 120, kButtonWidth = 2160, kButtonHeight = 375, kPitch = 420;
  float top = kInset;
  for (const ButtonDesign& button : buttons) {
    CommandButton& member = button.array->Load(button.index);
    member.Caption(button.caption);
    member.Move(kInset, top, kButtonWidth, kButtonHeight);
    top += kPitch;
  }
  cmdMainSettings.Caption("Main Settings");
  cmdMainSettings.Move(kInset, top, kButtonWidth, kButtonHeight);
  const float frameLeft = 2 * kInset + kButtonWidth;
  framChildWindow.Move(frameLeft, kInset, 6300, 4800);
  SkinFrame1.Move(0, 0, frameLeft, top + kPitch);
  Move(0, 0, frameLeft + 6300 + 2 * kInset, std::max(top + kPitch, 4800.0f + kInset) + 2 * kInset);
}

void VLTfrmMainForm::ShowChildForm(Form& page) {
  SetParent(page.hWnd(), framChildWindow.hWnd());
  page.Show();
  framChildWindow.ZOrder(0);
}

void VLTfrmMainForm::Form_Load() {
  ApplyLanguage(*this);
  std::string skin = LCase(tuning::CurrentSkinName());
  if (skin == "skin1") BackColor(0);
  else if (skin == "skin2") BackColor(0xFFFFFF);
  ApplySkinToControls(*this);
  framChildWindow.ZOrder(0);
  tuning::DetectOSVersion();
  for (int k = 0; k < tuning::kPresetCount; ++k) tuning::LoadPreset(k);
  VLTfrmWizardMode();
  VLTfrmAdvancedMode();
  VLTfrmBackUp();
  VLTfrmNetPingerSettings();
  VLTfrmSystemStatus();
  VLTfrmRamConfiguration();
  // The opener's Show follows this load, so the window shows all the same.
  if (VLTfrmMainSettings().chkRunProgramMini.Value() == vbChecked) Hide();
  ShowChildForm(VLTfrmWizardMode());
}

void VLTfrmMainForm::Form_Unload(int& Cancel) {
  UnloadPage<VLTfrmWizardModeForm>();
  UnloadPage<VLTfrmAdvancedModeForm>();
  UnloadPage<VLTfrmBackUpForm>();
  UnloadPage<VLTfrmNetPingerSettingsForm>();
  // The status page owns the usage object the RAM page reads: it goes last.
  UnloadPage<VLTfrmRamConfigurationForm>();
  UnloadPage<VLTfrmMainSettingsForm>();
  UnloadPage<VLTfrmSystemStatusForm>();
}

void VLTfrmMainForm::cmdVelotune_Click(int Index) {
  switch (Index) {
    case 1: return ShowChildForm(VLTfrmWizardMode());
    case 2: return ShowChildForm(VLTfrmAdvancedMode());
    case 3:
      VLTfrmBackUp().intializeList();
      return ShowChildForm(VLTfrmBackUp());
    default: MsgBox("Nothandeled", vbOKOnly);
  }
}

void VLTfrmMainForm::cmdSystemSettings_Click(int Index) {
  switch (Index) {
    case 1: tuning::OpenInternetOptions(); break;
    case 2: tuning::OpenSystemProperties(); break;
    case 3: tuning::OpenModemSettings(); break;
    case 4: tuning::OpenNetworkSettings(); break;
    default: MsgBox("Not handeled", vbOKOnly);
  }
}

void VLTfrmMainForm::cmdRamBooster_Click(int Index) {
  switch (Index) {
    case 1: return ShowChildForm(VLTfrmSystemStatus());
    case 2: return ShowChildForm(VLTfrmRamConfiguration());
    default: MsgBox("Not handeled yet", vbOKOnly);
  }
}

void VLTfrmMainForm::cmdNetPinger_Click(int Index) {
  if (Index == 1) return ShowChildForm(VLTfrmNetPingerSettings());
  MsgBox("Nothandeled", vbOKOnly);
}

void VLTfrmMainForm::cmdMainSettings_Click() { ShowChildForm(VLTfrmMainSettings()); }

VLTfrmMainForm& VLTfrmMain() { return DefaultInstance<VLTfrmMainForm>(); }
