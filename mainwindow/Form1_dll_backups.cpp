// The DLL backup archives: made from the checked search results, listed,
// restored to the paths they recorded, and deleted. A failed backup says so
// and tells its caller, so nothing is deleted after it; a restore that
// could not write some files names them.
#include "mainwindow/Form1.h"
#include "platform/runtime/dates.h"

using namespace platform::forms;

namespace {

constexpr int kHourglass = 11, kDefaultPointer = 0;

// The files a restore left out, one a line, so the user knows which
// DLLs are still missing; the others were put back.
std::string NotRestoredList(const std::vector<std::string>& paths) {
  if (paths.empty()) return "";
  std::string text = "\r\nThese files were not restored:";
  for (const std::string& path : paths) text += "\r\n" + path;
  return text;
}

}  // namespace

void Form1Form::WireDllBackups() {
  cmdRestoreBackUps.Caption("Restore");
  cmdDeleteBackUps.Caption("Delete");
  cmdDeleteAllBackUps.Caption("Delete All");
  drBackups.Visible(false);
  TSY_ON(Command8, Click, Command8_Click);
  TSY_ON(cmdRestoreBackUps, Click, cmdRestoreBackUps_Click);
  TSY_ON(cmdViewBackUps, Click, cmdViewBackUps_Click);
  TSY_ON(cmdDeleteBackUps, Click, cmdDeleteBackUps_Click);
  TSY_ON(cmdDeleteAllBackUps, Click, cmdDeleteAllBackUps_Click);
}

std::string Form1Form::BackUpsFolder() const { return App.Path() + "\\BackUps"; }

bool Form1Form::SaveBackUps() {
  std::string typed = InputBox("Enter Backup file Name", "Backup File Name");
  std::string name = tools_->ArchiveName(typed, Now());
  MousePointer(kHourglass);
  std::vector<std::string> paths;
  for (int i = 1; i <= lstDlls.Count(); ++i)
    if (lstDlls.Item(i).Checked) paths.push_back(lstDlls.Item(i).SubItems(3));
  bool saved = false;
  OnErrorResumeNext guard;
  guard([&] { saved = tools_->SaveBackUp(xMain, xBackupJob, xFileSelection, BackUpsFolder(), name, paths); });
  MousePointer(kDefaultPointer);
  MsgBox(saved ? "The backup has been created successfully." : "Backup can't created!", vbInformation);
  return saved;
}

void Form1Form::RestoreBackUps() {
  int selected = lstDllBackUps.ListIndex();
  if (lstDllBackUps.ListCount() == 0 || selected < 0) return;
  MousePointer(kHourglass);
  std::int32_t code = platform::activex::kBackupNoArchive;
  OnErrorResumeNext guard;
  guard([&] {
    code = tools_->RestoreBackUp(xMain, xRestoreJob, xFileSelection, BackUpsFolder(), lstDllBackUps.List(selected));
  });
  MousePointer(kDefaultPointer);
  if (code == platform::activex::kBackupCorrupted)
    MsgBox("Backup may be corrupted!!", vbOKOnly);
  else if (code != platform::activex::kBackupSuccess)
    MsgBox("Backup can't restored!" +
               (code == platform::activex::kBackupUnwritable ? NotRestoredList(xMain.NotRestored()) : ""),
           vbInformation);
  else
    MsgBox("The backup has been restored successfully.", vbInformation);
}

void Form1Form::LoadBackUps() {
  OnErrorResumeNext guard;
  guard([&] { tools_->LoadBackUps(drBackups, lstDllBackUps, BackUpsFolder()); });
}

void Form1Form::SetResultButtons(bool enabled) {
  Command8.Enabled(enabled);
  CmdDeleteDlls.Enabled(enabled);
  chkDLLSelectAll.Enabled(enabled);
  for (int i = 0; i < optDll.Count(); ++i) optDll(i).Enabled(enabled);
}

void Form1Form::SetArchiveButtons(bool enabled) {
  for (CommandButton* button : {&cmdDeleteBackUps, &cmdDeleteAllBackUps, &Command9, &cmdRestoreBackUps})
    button->Enabled(enabled);
}

void Form1Form::Command8_Click() {
  bool anyChecked = false;
  for (int i = 1; i <= lstDlls.Count(); ++i) anyChecked = anyChecked || lstDlls.Item(i).Checked;
  if (!anyChecked) {
    MsgBox("No DLLs selected!!", vbOKOnly);
    return;
  }
  StopBackNow = false;
  SetResultButtons(false);
  HideAllFrames();
  SaveBackUps();
  StopBackNow = true;
  SetResultButtons(true);
  ShowThatFrame2(Frame2_OPTIMIZATION);
}

void Form1Form::cmdRestoreBackUps_Click() {
  SetArchiveButtons(false);
  StopBackNow = false;
  HideAllFrames();
  RestoreBackUps();
  SetArchiveButtons(true);
  StopBackNow = true;
  ShowThatFrame2(Frame2_OPTIMIZATION);
}

void Form1Form::cmdViewBackUps_Click() {
  LoadBackUps();
  ShowThatFrame(Frame_DLLBackUps);
}

void Form1Form::cmdDeleteBackUps_Click() {
  int selected = lstDllBackUps.ListIndex();
  if (lstDllBackUps.ListCount() == 0 || selected < 0) return;
  OnErrorResumeNext guard;
  guard([&] { tools_->DeleteBackUp(BackUpsFolder(), lstDllBackUps.List(selected)); });
  lstDllBackUps.RemoveItem(selected);
}

// A selection is asked for here too, as on the other two buttons.
void Form1Form::cmdDeleteAllBackUps_Click() {
  if (lstDllBackUps.ListCount() == 0 || lstDllBackUps.ListIndex() < 0) return;
  OnErrorResumeNext guard;
  for (int i = 0; i < lstDllBackUps.ListCount(); ++i)
    guard([&] { tools_->DeleteBackUp(BackUpsFolder(), lstDllBackUps.List(i)); });
  lstDllBackUps.Clear();
}
