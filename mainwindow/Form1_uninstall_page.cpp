// The uninstall page: the programs that registered an uninstaller, and the
// button (or a double click) that starts the chosen one's.
#include "mainwindow/Form1.h"

void Form1Form::WireUninstallPage() {
  Frame_UnInstall.Caption("UnInstall Programs");
  cmdUninst.Caption("UnInstall");
  LSTUP2.Visible(false);
  TSY_ON(cmdUninst, Click, cmdUninst_Click);
  TSY_ON(LSTUP, DblClick, LSTUP_DblClick);
}

void Form1Form::LoadUninstallList() { tools_->LoadUninstallList(LSTUP, LSTUP2); }

void Form1Form::LSTUP_DblClick() { tools_->StartUninstaller(LSTUP, LSTUP2); }

void Form1Form::cmdUninst_Click() { LSTUP_DblClick(); }
