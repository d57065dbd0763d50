#pragma once
// The never-shown window that owns the tray icon and receives its mouse
// messages. Its menu and click handling belong to the tray feature.
#include "platform/forms/forms.h"

class FrmIconForm : public platform::forms::Form {
 public:
  FrmIconForm() : Form("frmIcon") {}
};

FrmIconForm& frmIcon();
