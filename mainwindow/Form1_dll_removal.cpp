// Removal of DLLs: the checked search results (after an optional backup
// archive, and never when that backup failed), and the unreferenced-DLL
// scan of one drive with the deletion of the copies it finds.
#include "mainwindow/Form1.h"
#include "platform/files/file_system_object.h"
#include "support/find_files.h"
#include "support/system_folders.h"

using namespace platform::forms;

namespace {

constexpr int kHourglass = 11, kDefaultPointer = 0;
constexpr int kPathColumn = 3;

bool AnyChecked(ListView& list) {
  for (int i = 1; i <= list.Count(); ++i)
    if (list.Item(i).Checked) return true;
  return false;
}

// A count label lowered by `removed`.
void Lower(platform::activex::SkinLabel& label, int removed) {
  label.Caption(std::to_string(std::max(0, static_cast<int>(platform::vb::Val(label.Caption())) - removed)));
}

}  // namespace

void Form1Form::WireDllRemoval() {
  cmdScanBack.Caption("Back");
  Command2.Caption("Scan");
  Command3.Caption("Delete");
  Command3.Enabled(false);
  chk_dllbackup.Caption("Copy to backup_dll first");
  SkinLabel28.Caption("Scanning...");
  SkinLabel28.Visible(false);
  list1.Visible(false);
  ltemp.Visible(false);
  for (ListView* list : {&list1, &list2}) {
    list->View(3);
    list->FullRowSelect(true);
    list->AddColumn(std::nullopt, "", "Path", 5200);
  }
  list1.AddColumn(std::nullopt, "", "Class", 1500);
  list1.AddColumn(std::nullopt, "", "Registered", 3000);
  list2.Checkboxes(true);
  TSY_ON(CmdDeleteDlls, Click, CmdDeleteDlls_Click);
  TSY_ON(Command2, Click, Command2_Click);
  TSY_ON(Command3, Click, Command3_Click);
  list2.ItemCheck.Handle([this](ListItem&) { list2_Click(); });
  list2.ItemClick.Handle([this](ListItem&) { list2_Click(); });
}

void Form1Form::CmdDeleteDlls_Click() {
  if (lstDlls.Count() == 0) {
    MsgBox("There is no item to delete!!", vbOKOnly);
    return;
  }
  if (MsgBox("Are you sure you want to delete this DLL filse?", vbYesNo) != vbYes) return;
  if (MsgBox("Do you want to create a backup before deleteing?", vbYesNo) == vbYes && !SaveBackUps()) return;
  int notCopied = 0;
  OnErrorResumeNext guard;
  guard([&] { tools_->DeleteCheckedDllRows(lstDlls, kPathColumn, "", notCopied); });
  Command8.Enabled(lstDlls.Count() > 0);
  lblDLLsFound.Caption(std::to_string(lstDlls.Count()) + " DLLs Found");
}

void Form1Form::Command2_Click() {
  SkinLabel28.Visible(true);
  Command2.Enabled(false);
  OnErrorResumeNext guard;
  guard([&] {
    std::string drive = Drive1.Drive().substr(0, 2);
    List_os.Clear();
    std::string folder = drive;
    std::int32_t listed = 0, seen = 0;
    FindFiles(folder, "kernel32.dll", listed, seen);
    if (List_os.ListCount() > 0 && LCase(drive) != LCase(g_WindowsDir.substr(0, 2))) {
      if (MsgBox("This drive seems to contain another operating system. continue?", vbYesNo) != vbYes) return;
      if (MsgBox("Deleting any system dll from the selected drive may cause the Operating System\r\n"
                 " installed on this drive to crash, Continue?",
                 vbYesNo) != vbYes)
        return;
    }
    list1.Clear();
    list2.Clear();
    ltemp.Clear();
    MousePointer(kHourglass);
    tools_->FindDllFiles(drive + "\\", ltemp);
    MousePointer(kDefaultPointer);
    tools_->ListUnreferencedDlls(ltemp, list1, list2, g_WindowsDir);
    SkinLabel27.Caption(std::to_string(list1.Count()));
    SkinLabel25.Caption(std::to_string(list2.Count()));
  });
  MousePointer(kDefaultPointer);
  list2_Click();
  Command2.Enabled(true);
  SkinLabel28.Visible(false);
}

void Form1Form::Command3_Click() {
  if (!AnyChecked(list2)) return;
  if (MsgBox("ARE You Sure you want to delete the selected DLLs?", vbYesNo) != vbYes) return;
  std::string backupFolder;
  OnErrorResumeNext guard;
  if (chk_dllbackup.Value() == vbChecked) {
    backupFolder = App.Path() + "\\backup_dll";
    guard([&] {
      if (!FileSystem().FolderExists(backupFolder)) FileSystem().CreateFolder(backupFolder);
    });
  }
  int notCopied = 0, removed = 0;
  guard([&] { removed = tools_->DeleteCheckedDllRows(list2, 0, backupFolder, notCopied); });
  if (!backupFolder.empty()) {
    std::string note = notCopied == 0 ? "" : "\r\n" + std::to_string(notCopied) + " file(s) could not be copied and were not deleted";
    MsgBox("Backup has been taken to \r\n" + App.Path() + "\\backup_dll" + note, vbOKOnly);
  }
  Lower(SkinLabel25, removed);
  Lower(SkinLabel27, removed);
  list2_Click();
}

void Form1Form::list2_Click() { Command3.Enabled(AnyChecked(list2)); }
