// The tray icon's window: a left click shows or hides the main window; a
// right click or a double click opens the icon's menu. Starting a clean goes
// through the main window's start button, so it obeys the same run state: a
// start during a run is the stop request, and no run starts inside another
// long operation.
#include "mainwindow/frmIcon.h"

#include "mainwindow/Form1.h"

using namespace platform::forms;

namespace {

constexpr UINT kTpmRightButton = 0x0002;  // TPM_RIGHTBUTTON

enum class TrayAction { None, ShowHide, Menu };

struct TrayMessage {
  int message;
  TrayAction action;
};

const TrayMessage kTrayMessages[] = {
    {WM_LBUTTONDOWN, TrayAction::ShowHide},
    {WM_LBUTTONDBLCLK, TrayAction::Menu},
    {WM_RBUTTONDOWN, TrayAction::Menu},
    {WM_RBUTTONDBLCLK, TrayAction::Menu},
};

TrayAction ActionOf(int message) {
  for (const auto& row : kTrayMessages)
    if (row.message == message) return row.action;
  return TrayAction::None;
}

struct TopFormName {
  int value;
  const char* form;
};

const TopFormName kTopForms[] = {{0, "Form1"}, {2, "frmClean"}, {3, "frmIECookieKeep"}};

}  // namespace

FrmIconForm& frmIcon() { return DefaultInstance<FrmIconForm>(); }

FrmIconForm::FrmIconForm() : Form("frmIcon") {
  mnuTSY.Caption("TSY");
  mnuShow.Caption("&Show/Hide");
  mnuSelect.Caption("-");
  mnuRemove.Caption("&Start Clean now");
  mnuExit.Caption("&Exit");
  lblDeleteManager.Caption("This form receives the messages of the tray icon.");
  lblDeleteManager.Visible(false);
  MouseMove.Handle([this](int button, int shift, float x, float y) { Form_MouseMove(button, shift, x, y); });
  TSY_ON(mnuShow, Click, mnuShow_Click);
  TSY_ON(mnuRemove, Click, mnuRemove_Click);
  TSY_ON(mnuExit, Click, mnuExit_Click);
}

void FrmIconForm::SetTopForm(int value) {
  setTopForm_ = value;
  for (const auto& row : kTopForms) {
    if (row.value != value) continue;
    if (value == 0) {
      topForm_ = &Form1();
      return;
    }
    topForm_ = nullptr;
    for (Form* loaded : LoadedForms())
      if (loaded->Name() == row.form) topForm_ = loaded;
  }
}

// X arrives in twips; in pixels it is the tray icon's mouse message.
void FrmIconForm::Form_MouseMove(int, int, float X, float) {
  int message = static_cast<int>(X / Screen.TwipsPerPixelX());
  switch (ActionOf(message)) {
    case TrayAction::ShowHide: mnuShow_Click(); break;
    case TrayAction::Menu: ShowTrayMenu(); break;
    case TrayAction::None: break;
  }
}

// A real display also needs the window brought to the foreground first, or
// the menu stays open after a click elsewhere.
void FrmIconForm::ShowTrayMenu() {
  POINT cursor{};
  GetCursorPos(&cursor);
  HMENU menu = GetSubMenu(GetMenu(hWnd()), 0);
  TrackPopupMenu(menu, kTpmRightButton, cursor.x, cursor.y, 0, hWnd(), nullptr);
}

void FrmIconForm::mnuShow_Click() {
  Form1Form& main = Form1();
  if (main.Visible()) {
    main.Hide();
    return;
  }
  main.WindowState(0);
  main.Visible(true);
}

void FrmIconForm::mnuRemove_Click() {
  if (setTopForm_ == 0) Form1().CmdClean_Click();
}

// Unloading the main window saves the options, removes the icon and ends
// the process. A main window that is not loaded is not loaded for this.
void FrmIconForm::mnuExit_Click() {
  if (IsLoaded<Form1Form>()) Unload(Form1());
}
void FrmIconForm::Form_Unload(int&) { mnuExit_Click(); }

void FrmIconForm::Form_GotFocus() { Form1().Show(); }
