// The DLL page: the drives to search, the files and folders the search
// leaves alone, and the search itself, which lists the DLLs found outside
// the system folder under a system DLL's name and leaves out the
// registered COM servers. One search at a time: a stop click only raises
// the stop request, and the search ends when the walk unwinds.
#include <unordered_map>

#include "mainwindow/Form1.h"
#include "mainwindow/chosen_files.h"
#include "mainwindow/page_texts.h"
#include "support/folder_browse.h"
#include "support/system_folders.h"

using namespace platform::forms;

namespace {

constexpr std::int32_t kMultiSelectExplorer = 524800;
constexpr const char* kStartCaption = "Start Search";
constexpr const char* kStopCaption = "Stop Search";

struct Column {
  const char* header;
  float width;  // twips
};

// The result list's columns; the fifth is the search's work mark.
const Column kDllColumns[] = {{"Name", 1400}, {"Version", 1100}, {"Size", 900}, {"Path", 3000}, {"", 0}};

const char* const kRuleCaptions[] = {"Name", "Name + Version", "Name + Version + Size"};

// Rule 2 compares sizes as the single-precision numbers the records keep:
// above 16 MiB two lengths may count as equal.
bool Matches(int rule, const DllRecord& system, const DllRecord& other) {
  if (system.name != other.name) return false;
  if (rule >= 1 && system.version != other.version) return false;
  return rule < 2 || static_cast<float>(system.size) == static_cast<float>(other.size);
}

void RemoveSelectedRows(ListBox& list) {
  for (int row = list.ListCount() - 1; row >= 0; --row)
    if (list.Selected(row)) list.RemoveItem(row);
}

}  // namespace

void Form1Form::WireDllPages() {
  Frame_DLLs.Caption("DLL Cleaner");
  Frame_DllResult.Caption("DLLs Found");
  Frame_DLLBackUps.Caption("DLL Backups");
  Frame_DllScan.Caption("Unreferenced DLLs");
  cmdStartCleanDLLs.Caption(kStartCaption);
  cmdAddDllFolders.Caption("Add Folder");
  cmdAddDllFiles.Caption("Add Files");
  for (CommandButton* remove : {&cmdDelDllFolders, &cmdDelDllFiles}) remove->Caption("Remove");
  cmdAddDllFolders.ToolTipText("Add a folder the search leaves alone");
  cmdAddDllFiles.ToolTipText("Add files the search leaves alone");
  lstDllFolders.ToolTipText("Folders the search leaves alone");
  lstDllFiles.ToolTipText("Files the search leaves alone");
  lstDllFolders.MultiSelect(2);
  lstDllFiles.MultiSelect(2);
  cmdViewBackUps.Caption("Backups");
  lblDLL_Name.Visible(false);
  lblDLL_Get.Visible(false);
  List_os.Visible(false);
  Drive2.Visible(false);

  for (ListView* list : {&lstDlls, &redundantlst}) {
    list->View(3);
    list->FullRowSelect(true);
    for (const auto& column : kDllColumns) list->AddColumn(std::nullopt, "", column.header, column.width);
  }
  lstDlls.Checkboxes(true);
  redundantlst.Visible(false);
  for (int i = 0; i < optDll.Count(); ++i) optDll(i).Caption(kRuleCaptions[i]);
  optDll(0).Value(true);
  chkDLLSelectAll.Caption("Select All");
  Command8.Caption("Backup");
  Command8.Enabled(false);
  CmdDeleteDlls.Caption("Delete");

  TSY_ON(cmdStartCleanDLLs, Click, cmdStartCleanDLLs_Click);
  optDll.Handle(&OptionButton::Click, [this](int index) { optDll_Click(index); });
  TSY_ON(chkDLLSelectAll, Click, chkDLLSelectAll_Click);
  TSY_ON(cmdAddDllFiles, Click, cmdAddDllFiles_Click);
  TSY_ON(cmdAddDllFolders, Click, cmdAddDllFolders_Click);
  TSY_ON(cmdDelDllFiles, Click, cmdDelDllFiles_Click);
  TSY_ON(cmdDelDllFolders, Click, cmdDelDllFolders_Click);
  WireDllRemoval();
  WireDllBackups();
}

void Form1Form::Load_DLL_Drives() { tools_->LoadDllDrives(Drive2, lstDllDrives); }

std::string Form1Form::NameFromPath(const std::string& path) const { return path.substr(path.find_last_of('\\') + 1); }

void Form1Form::SetDllListButtons(bool enabled) {
  for (CommandButton* button : {&cmdDelDllFiles, &cmdDelDllFolders, &cmdAddDllFiles, &cmdAddDllFolders, &cmdViewBackUps})
    button->Enabled(enabled);
}

int Form1Form::DllRule() {
  for (int i = 0; i < optDll.Count(); ++i)
    if (optDll(i).Value()) return i;
  return 0;
}

void Form1Form::cmdStartCleanDLLs_Click() {
  if (cmdStartCleanDLLs.Caption() != kStartCaption) {
    StopDllNow = true;
    cmdStartCleanDLLs.Caption(kStartCaption);
    ShowThatFrame2(Frame2_OPTIMIZATION);
    return;
  }
  if (dllSearchRunning_) return;  // the stopped search is still unwinding
  std::vector<std::string> roots = tools_->CheckedDllDriveRoots(lstDllDrives);
  if (roots.empty()) {
    MsgBox("No drives selected", vbOKOnly);
    return;
  }
  dllSearchRunning_ = true;
  HideAllFrames();
  cmdStartCleanDLLs.Caption(kStopCaption);
  StopDllNow = false;
  SetDllListButtons(false);
  systemDlls.clear();
  otherDlls.clear();
  lstDlls.Clear();
  lblDLL_Name.Visible(true);
  lblDLL_Get.Visible(true);
  OnErrorResumeNext guard;
  lblDLL_Get.Caption("Get System DLLs");
  guard([&] { tools_->WalkDlls(g_SystemDir, true); });
  lblDLL_Get.Caption("Get Other DLLs");
  for (const std::string& root : roots) guard([&] { tools_->WalkDlls(root, false); });
  cmdStartCleanDLLs.Caption(kStartCaption);
  SetDllListButtons(true);
  ListDllMatches();
  StopDllNow = true;
  lblDLL_Name.Visible(false);
  lblDLL_Get.Visible(false);
  chkDLLSelectAll.Value(vbUnchecked);
  ShowThatFrame(Frame_DllResult);
  ShowThatFrame2(Frame2_OPTIMIZATION);
  dllSearchRunning_ = false;
}

// Every rule change groups and checks the registrations again, so a
// registered COM server never comes back as a candidate; the count shown
// is the list's after that check.
void Form1Form::ListDllMatches() {
  lstDlls.Clear();
  int rule = DllRule();
  // The other records of each name, in their order: each system record
  // meets only the records that can match it.
  std::unordered_map<std::string, std::vector<const DllRecord*>> othersNamed;
  for (const DllRecord& other : otherDlls) othersNamed[other.name].push_back(&other);
  for (const DllRecord& system : systemDlls) {
    auto named = othersNamed.find(system.name);
    if (named == othersNamed.end()) continue;
    for (const DllRecord* found : named->second) {
      const DllRecord& other = *found;
      if (!Matches(rule, system, other)) continue;
      ListItem& row = lstDlls.Add(std::nullopt, "", other.name);
      row.SubItems(1, other.version);
      row.SubItems(2, SingleText(other.size));
      row.SubItems(3, other.path);
    }
  }
  OnErrorResumeNext guard;
  guard([&] { tools_->DropRegisteredServers(lstDlls, redundantlst, g_WindowsDir); });
  Command8.Enabled(lstDlls.Count() > 0);
  lblDLLsFound.Caption(std::to_string(lstDlls.Count()) + " DLLs Found");
}

void Form1Form::optDll_Click(int) { ListDllMatches(); }

void Form1Form::chkDLLSelectAll_Click() {
  bool check = chkDLLSelectAll.Value() == vbChecked;
  for (int i = 1; i <= lstDlls.Count(); ++i) lstDlls.Item(i).Checked = check;
}

void Form1Form::cmdAddDllFiles_Click() {
  cmdg.Flags = kMultiSelectExplorer;
  cmdg.FileName = "";  // the dialog is shared: a cancel must add nothing
  cmdg.ShowOpen();
  for (const std::string& file : ChosenFiles(cmdg.FileName)) lstDllFiles.AddItem(file);
}

void Form1Form::cmdAddDllFolders_Click() {
  std::string folder = BrowseForFolderPath(hWnd());
  if (!folder.empty()) lstDllFolders.AddItem(folder);
}

void Form1Form::cmdDelDllFiles_Click() { RemoveSelectedRows(lstDllFiles); }
void Form1Form::cmdDelDllFolders_Click() { RemoveSelectedRows(lstDllFolders); }
