#pragma once
// The Velotune window: a column of buttons and the frame framChildWindow,
// into which it places one of its seven pages at a time. It loads the
// pages with itself and unloads them when it closes.
#include "platform/activex/skin.h"
#include "platform/forms/forms.h"

class VLTfrmMainForm : public platform::forms::Form {
 public:
  VLTfrmMainForm();

  TSY_CONTROL(PictureBox, SkinFrame1);
  TSY_CONTROL(Frame, framChildWindow);
  ::platform::activex::SkinLabel SkinLabel2{*this, "SkinLabel2"};
  ::platform::activex::SkinLabel SkinLabel3{*this, "SkinLabel3"};
  ::platform::activex::SkinLabel SkinLabel4{*this, "SkinLabel4"};
  // Arrays indexed from 1, as designed.
  TSY_CONTROL_ARRAY(CommandButton, cmdVelotune, 0);
  TSY_CONTROL_ARRAY(CommandButton, cmdSystemSettings, 0);
  TSY_CONTROL_ARRAY(CommandButton, cmdRamBooster, 0);
  TSY_CONTROL_ARRAY(CommandButton, cmdNetPinger, 0);
  TSY_CONTROL(CommandButton, cmdMainSettings);

  // Moves the page's window into framChildWindow, shows it on top of the
  // pages shown before, and brings the frame to the front.
  void ShowChildForm(platform::forms::Form& page);

  void cmdVelotune_Click(int Index);
  void cmdSystemSettings_Click(int Index);
  void cmdRamBooster_Click(int Index);
  void cmdNetPinger_Click(int Index);
  void cmdMainSettings_Click();

 protected:
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;

 private:
  void Design();
};

VLTfrmMainForm& VLTfrmMain();
