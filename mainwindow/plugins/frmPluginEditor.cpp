// The plug-in editor's window: its controls and captions, and the handlers
// that build, place and parse the registry and folder rows.
#include "mainwindow/plugins/frmPluginEditor.h"

#include "mainwindow/Form1.h"
#include "mainwindow/plugins/plugin_rows.h"
#include "platform/base/cp1252.h"
#include "support/folder_browse.h"
#include "support/language_packs.h"
#include "support/skins.h"

using namespace platform::forms;

namespace {

constexpr const char* kEditorTitle = "Plugin Editor";
constexpr long kWindowColour = 0xFFFFFF;
constexpr long kDisabledBack = 235 | (235 << 8) | (228 << 16);  // RGB(235, 235, 228)
constexpr long kDisabledFore = 161 | (161 << 8) | (146 << 16);  // RGB(161, 161, 146)
// The button of the frame shown stands this much higher than the other.
constexpr float kRaise = 30;
constexpr float kTabTop = 900;

const char* const kListKinds[] = {
    "Program Installation Detection Registery Key [Must Be Set]",
    "Program Installation Path Registery Key [Need Only With %APP% Files Flage]",
    "Program Registery Keys To Be Removed",
};
enum RegistryList { kDetectList = 0, kAppList = 1, kRemoveList = 2 };

void Message(const std::string& prompt, TextBox& focus) {
  ShowMessage(prompt, vbOKOnly, kEditorTitle, false);
  focus.SetFocus();
}

void EnableTextBox(TextBox& box, bool enabled) {
  box.Enabled(enabled);
  box.BackColor(enabled ? kWindowColour : kDisabledBack);
  box.ForeColor(enabled ? 0 : kDisabledFore);
}

// Puts `row` in the list: over the selected row, else over a lone empty
// row, else at the end; the row is selected.
void PlaceRow(ListBox& list, const std::string& row) {
  int at = list.ListIndex();
  if (at < 0 && list.ListCount() == 1 && IsEmptyRow(list.List(0))) at = 0;
  if (at >= 0) {
    list.List(at, row);
  } else {
    list.AddItem(row);
    at = list.NewIndex();
  }
  list.ListIndex(at);
}

// Removes the selected row and selects the one above it.
void RemoveSelectedRow(ListBox& list) {
  int at = list.ListIndex();
  if (at < 0) return;
  list.RemoveItem(at);
  if (at > 0) list.ListIndex(at - 1);
}

}  // namespace

FrmPluginEditorForm& frmPluginEditor() { return DefaultInstance<FrmPluginEditorForm>(); }

FrmPluginEditorForm::FrmPluginEditorForm() : Form("frmPluginEditor") {
  Design();
  Wire();
}

void FrmPluginEditorForm::Design() {
  Caption(kEditorTitle);
  Move(0, 0, 7260, 6600);
  struct Placed {
    Control* control;
    float left, top, width, height;
    const char* caption;
  };
  const Placed controls[] = {
      {&lblNamePlugin, 120, 120, 1500, 285, "Plugin Name"},
      {&txtName, 1680, 120, 3000, 285, nullptr},
      {&Label1, 120, 480, 1500, 285, "Plugin category"},
      {&txtCat, 1680, 480, 3000, 285, nullptr},
      {&cmdRegistry, 120, kTabTop - kRaise, 1500, 375, "Registry"},
      {&cmdFilesFolders, 1680, kTabTop, 1500, 375, "Files/Folders"},
      {&FrameRegistry, 120, 1320, 6900, 4200, ""},
      {&SkinLabel1, 120, 300, 1200, 285, "Key Type"},
      {&cmbRegisterySel, 1380, 300, 5400, 285, nullptr},
      {&lstRegistryDetect, 120, 660, 6660, 1200, nullptr},
      {&lstRegistryApp, 120, 660, 6660, 1200, nullptr},
      {&lstRegistry, 120, 660, 6660, 1200, nullptr},
      {&SkinLabel2, 120, 1980, 2160, 285, "Registry Header"},
      {&cmbPathRegistry, 2340, 1980, 2800, 285, nullptr},
      {&lblPath, 120, 2340, 2160, 285, "Path of registry entry:"},
      {&txtPath, 2340, 2340, 4440, 285, nullptr},
      {&SkinLabel3, 120, 2700, 2160, 285, "Key\\Value"},
      {&cmbRegistry, 2340, 2700, 1200, 285, nullptr},
      {&txtKeyValue, 3660, 2700, 3120, 285, nullptr},
      {&cmdRegistryAdd, 120, 3240, 1200, 375, "Add"},
      {&cmdRegNew, 1440, 3240, 1200, 375, "New"},
      {&cmdRegRemove, 2760, 3240, 1200, 375, "Remove"},
      {&FrameFilesFolders, 120, 1320, 6900, 4200, "Files / Folders"},
      {&lblPathFF, 120, 300, 900, 285, "Path"},
      {&txtPathFF, 1080, 300, 4500, 285, nullptr},
      {&cmdPathBrowse, 5700, 300, 1080, 285, "Browse"},
      {&optFileName, 120, 660, 1500, 285, "File Name"},
      {&txtFileName, 1680, 660, 3900, 285, nullptr},
      {&cmdBrowseFile, 5700, 660, 1080, 285, "Browse"},
      {&optFilePattern, 120, 1020, 1500, 285, "File pattern"},
      {&txtFilePattern, 1680, 1020, 1800, 285, nullptr},
      {&lblExample, 3600, 1020, 1800, 285, "Example: *.tmp"},
      {&chkSubfolders, 5520, 1020, 1260, 285, "Subfolders"},
      {&Label2, 120, 1380, 6660, 480,
       "Use the following reserved tags:  %APP% for Application path, %CUP% for current user directory, %AUP% for "
       "all user directoy."},
      {&lstFileFolder, 120, 1920, 6660, 1500, nullptr},
      {&cmdAddFF, 120, 3600, 1200, 375, "Add"},
      {&cmdFFNew, 1440, 3600, 1200, 375, "New"},
      {&cmdFFRemove, 2760, 3600, 1200, 375, "Remove"},
      {&cmdOk, 3360, 5700, 1140, 375, "&OK"},
      {&cmdApply, 4560, 5700, 1140, 375, "&Apply"},
      {&cmdCancel, 5760, 5700, 1140, 375, "&Cancel"},
  };
  for (const Placed& placed : controls) {
    placed.control->Move(placed.left, placed.top, placed.width, placed.height);
    if (auto* captioned = dynamic_cast<CaptionedControl*>(placed.control); captioned && placed.caption)
      captioned->Caption(placed.caption);
  }
  for (ComboBox* combo : {&cmbRegisterySel, &cmbPathRegistry, &cmbRegistry}) combo->Style(vbComboDropdownList);
  for (const char* kind : kListKinds) cmbRegisterySel.AddItem(kind);
  for (const char* root : kRegistryRoots) cmbPathRegistry.AddItem(root);
  cmbRegistry.AddItem("Key");
  cmbRegistry.AddItem("Value");
  // The registry frame is shown first, its button raised and disabled.
  cmdRegistry.Enabled(false);
  FrameFilesFolders.Visible(false);
  lstRegistryApp.Visible(false);
  lstRegistry.Visible(false);
  optFilePattern.Value(true);
  cmdApply.Enabled(false);
}

void FrmPluginEditorForm::Wire() {
  TSY_ON(cmbRegisterySel, Click, cmbRegisterySel_Click);
  TSY_ON(cmbRegisterySel, Change, cmbRegisterySel_Click);
  TSY_ON(cmdRegistry, Click, cmdRegistry_Click);
  TSY_ON(cmdFilesFolders, Click, cmdFilesFolders_Click);
  TSY_ON(cmdRegistryAdd, Click, cmdRegistryAdd_Click);
  TSY_ON(cmdRegNew, Click, cmdRegNew_Click);
  TSY_ON(cmdRegRemove, Click, cmdRegRemove_Click);
  for (ListBox* list : {&lstRegistryDetect, &lstRegistryApp, &lstRegistry})
    list->Click.Handle([this, list] { lstRegistry_Click(*list); });
  TSY_ON(cmdAddFF, Click, cmdAddFF_Click);
  TSY_ON(cmdFFNew, Click, cmdFFNew_Click);
  TSY_ON(cmdFFRemove, Click, cmdFFRemove_Click);
  TSY_ON(lstFileFolder, Click, lstFileFolder_Click);
  TSY_ON(optFileName, Click, optFileName_Click);
  TSY_ON(optFilePattern, Click, optFilePattern_Click);
  TSY_ON(txtFileName, Click, txtFileName_Click);
  TSY_ON(cmdPathBrowse, Click, cmdPathBrowse_Click);
  TSY_ON(cmdBrowseFile, Click, cmdBrowseFile_Click);
  TSY_ON(cmdApply, Click, cmdApply_Click);
  TSY_ON(cmdOk, Click, cmdOk_Click);
  TSY_ON(cmdCancel, Click, cmdCancel_Click);
  for (TextBox* box : {&txtName, &txtCat}) box->Change.Handle([this] { MarkEdited(); });
  MouseDown.Handle([this](int button, int, float, float) {
    if (button == 1) DragForm(hWnd());
  });
}

void FrmPluginEditorForm::Form_Load() {
  ApplyLanguage(*this);
  // The window takes the main window's skin, as its controls do.
  Form1().skn.ApplySkinObject(hWnd(), "Form");
  ApplySkinToControls(*this);
  cmbPathRegistry.ListIndex(kDefaultRoot);
  cmbRegistry.ListIndex(0);
  optFilePattern_Click();
  Form1().RefreshPluginButtons();
}

void FrmPluginEditorForm::Form_Unload(int& Cancel) {
  Cancel = 1;
  Hide();
}

void FrmPluginEditorForm::AllowStoreWork(bool allowed) {
  storeWorkAllowed_ = allowed;
  cmdOk.Enabled(allowed);
  RefreshApply();
}

void FrmPluginEditorForm::MarkEdited() {
  if (filling_) return;
  edited_ = true;
  RefreshApply();
}

void FrmPluginEditorForm::RefreshApply() { cmdApply.Enabled(edited_ && storeWorkAllowed_); }

ListBox& FrmPluginEditorForm::ShownRegistryList() {
  switch (cmbRegisterySel.ListIndex()) {
    case kDetectList: return lstRegistryDetect;
    case kAppList: return lstRegistryApp;
    default: return lstRegistry;
  }
}

void FrmPluginEditorForm::cmbRegisterySel_Click() {
  ListBox& shown = ShownRegistryList();
  for (ListBox* list : {&lstRegistryDetect, &lstRegistryApp, &lstRegistry}) list->Visible(list == &shown);
}

void FrmPluginEditorForm::cmdRegistry_Click() {
  FrameRegistry.Visible(true);
  FrameFilesFolders.Visible(false);
  cmdRegistry.Enabled(false);
  cmdFilesFolders.Enabled(true);
  cmdRegistry.Top(cmdRegistry.Top() - kRaise);
  cmdFilesFolders.Top(cmdFilesFolders.Top() + kRaise);
}

void FrmPluginEditorForm::cmdFilesFolders_Click() {
  FrameFilesFolders.Visible(true);
  FrameRegistry.Visible(false);
  cmdFilesFolders.Enabled(false);
  cmdRegistry.Enabled(true);
  cmdFilesFolders.Top(cmdFilesFolders.Top() - kRaise);
  cmdRegistry.Top(cmdRegistry.Top() + kRaise);
}

void FrmPluginEditorForm::cmdRegistryAdd_Click() {
  MarkEdited();
  if (Trim(txtPath.Text()).empty()) return Message("Path cannot be empty", txtPath);
  if (Trim(txtKeyValue.Text()).empty()) return Message("Key/Value cannot be empty", txtKeyValue);
  const std::string root = cmbPathRegistry.Text();
  switch (cmbRegisterySel.ListIndex()) {
    case kDetectList:
    case kAppList: {
      // The key test opens the key itself; the path value is always a value.
      ListBox& list = ShownRegistryList();
      bool detect = &list == &lstRegistryDetect;
      list.Clear();
      list.AddItem(detect ? DetectRow(root, txtPath.Text(), txtKeyValue.Text())
                          : ValueRow(root, txtPath.Text(), txtKeyValue.Text()));
      list.ListIndex(0);
      break;
    }
    default:
      PlaceRow(lstRegistry, cmbRegistry.ListIndex() == 1 ? ValueRow(root, txtPath.Text(), txtKeyValue.Text())
                                                         : KeyRow(root, txtPath.Text(), txtKeyValue.Text()));
  }
}

void FrmPluginEditorForm::cmdRegNew_Click() {
  ListBox& list = ShownRegistryList();
  if (&list != &lstRegistry) {
    list.Clear();
    list.AddItem("");
  } else {
    if (list.ListIndex() >= 0 && Trim(list.List(list.ListIndex())).empty()) list.Clear();
    list.AddItem("");
    list.ListIndex(list.NewIndex());
  }
  txtPath.Text("");
  txtKeyValue.Text("");
  cmbPathRegistry.ListIndex(kDefaultRoot);
  cmbRegistry.ListIndex(0);
}

void FrmPluginEditorForm::cmdRegRemove_Click() {
  if (lstRegistry.ListIndex() < 0) return;
  RemoveSelectedRow(lstRegistry);
  MarkEdited();
}

void FrmPluginEditorForm::lstRegistry_Click(ListBox& list) {
  if (list.ListIndex() < 0) return;
  RegistryFields fields = ParseRegistryRow(list.List(list.ListIndex()));
  cmbPathRegistry.ListIndex(fields.root);
  txtPath.Text(fields.path);
  txtKeyValue.Text(fields.name);
  cmbRegistry.ListIndex(fields.value ? 1 : 0);
}

void FrmPluginEditorForm::cmdAddFF_Click() {
  MarkEdited();
  if (Trim(txtPathFF.Text()).empty()) return Message("Path cannot be empty", txtPathFF);
  bool fileRow = optFileName.Value();
  if (fileRow && Trim(txtFileName.Text()).empty()) return Message("Filename cannot be empty", txtFileName);
  if (!fileRow && Trim(txtFilePattern.Text()).empty()) return Message("File pattern cannot be empty", txtFilePattern);
  PlaceRow(lstFileFolder, fileRow ? FileRow(txtPathFF.Text(), txtFileName.Text())
                                  : PatternRow(txtPathFF.Text(), txtFilePattern.Text()));
}

void FrmPluginEditorForm::cmdFFNew_Click() {
  ListBox& list = lstFileFolder;
  if (list.ListCount() > 0 && platform::ToUpper(Trim(list.List(0))) == kPlaceholderRow) {
    list.List(0, "");
    list.ListIndex(0);
    return;
  }
  if (list.ListIndex() >= 0 && Trim(list.List(list.ListIndex())).empty()) list.Clear();
  list.AddItem("");
  list.ListIndex(list.NewIndex());
}

void FrmPluginEditorForm::cmdFFRemove_Click() {
  if (lstFileFolder.ListIndex() < 0) return;
  RemoveSelectedRow(lstFileFolder);
  MarkEdited();
}

void FrmPluginEditorForm::lstFileFolder_Click() {
  if (lstFileFolder.ListIndex() < 0) return;
  FolderFields fields = ParseFolderRow(lstFileFolder.List(lstFileFolder.ListIndex()));
  if (fields.pattern) {
    optFilePattern.Value(true);
    optFilePattern_Click();
  } else if (!fields.folder.empty() || !fields.fileName.empty()) {
    optFileName.Value(true);
    optFileName_Click();
  }
  txtPathFF.Text(fields.folder);
  txtFileName.Text(fields.fileName);
  txtFilePattern.Text(fields.filePattern);
  chkSubfolders.Value(fields.subfolders ? vbChecked : vbUnchecked);
}

void FrmPluginEditorForm::optFileName_Click() {
  EnableTextBox(txtFileName, true);
  cmdBrowseFile.Enabled(true);
  EnableTextBox(txtFilePattern, false);
  chkSubfolders.Enabled(false);
}

void FrmPluginEditorForm::optFilePattern_Click() {
  EnableTextBox(txtFileName, false);
  cmdBrowseFile.Enabled(false);
  EnableTextBox(txtFilePattern, true);
  chkSubfolders.Enabled(true);
}

void FrmPluginEditorForm::txtFileName_Click() { txtFileName.Locked(true); }

void FrmPluginEditorForm::cmdPathBrowse_Click() {
  CFolderBrowse picker;
  picker.Prompt("Find the Folder");
  picker.Browse();
  if (!picker.path().empty()) txtPathFF.Text(picker.path());
}

// The chosen file's folder goes into the path box and its name into the
// name box, so the row names the file once.
void FrmPluginEditorForm::cmdBrowseFile_Click() {
  dlgFile.FileName = "";
  dlgFile.ShowOpen();
  const std::string chosen = dlgFile.FileName;
  std::size_t last = chosen.rfind('\\');
  if (chosen.empty() || last == std::string::npos) return;
  txtPathFF.Text(chosen.substr(0, last));
  txtFileName.Text(chosen.substr(last + 1));
}

void FrmPluginEditorForm::cmdApply_Click() {
  Save();
  Form1().ShowThatFrame(Form1().Frame_EPI);
}

void FrmPluginEditorForm::cmdOk_Click() {
  if (cmdApply.Enabled() && !Save()) Hide();
  Form1().ShowThatFrame(Form1().Frame_EPI);
}

void FrmPluginEditorForm::cmdCancel_Click() {
  Hide();
  Form1().ShowThatFrame(Form1().Frame_EPI);
}
