#pragma once
// The never-shown window that owns the tray icon: the icon's mouse messages
// arrive as its MouseMove (X in twips = the message in pixels), and its menu
// is the icon's context menu.
#include "platform/forms/forms.h"

class FrmIconForm : public platform::forms::Form {
 public:
  FrmIconForm();

  TSY_CONTROL(Menu, mnuTSY);
  TSY_CONTROL_IN(Menu, mnuShow, mnuTSY);
  TSY_CONTROL_IN(Menu, mnuSelect, mnuTSY);
  TSY_CONTROL_IN(Menu, mnuRemove, mnuTSY);
  TSY_CONTROL_IN(Menu, mnuExit, mnuTSY);
  TSY_CONTROL(Label, lblDeleteManager);

  // Which window the tray serves: 0 Form1, 2 frmClean, 3 frmIECookieKeep.
  int SetTopForm() const { return setTopForm_; }
  void SetTopForm(int value);
  // The form SetTopForm names (null when it is not loaded).
  platform::forms::Form* TopForm() const { return topForm_; }

  void Form_MouseMove(int Button, int Shift, float X, float Y);
  void mnuShow_Click();
  void mnuRemove_Click();
  void mnuExit_Click();

 protected:
  void Form_Unload(int& Cancel) override;
  void Form_GotFocus() override;

 private:
  void ShowTrayMenu();

  int setTopForm_ = 0;
  platform::forms::Form* topForm_ = nullptr;
};

FrmIconForm& frmIcon();
