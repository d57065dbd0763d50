// The extra plug-in page: the list LSTEPI filled from the enciphered store,
// the installed marks and ticks, deleting a plug-in, and the buttons that
// open the plug-in editor.
#include "mainwindow/Form1.h"
#include "mainwindow/plugins/frmPluginEditor.h"
#include "mainwindow/plugins/plugin_store.h"
#include "mainwindow/plugins/whole_profile_reads.h"
#include "platform/profile/profile.h"
#include "support/folder_browse.h"
#include "support/skins.h"
#include "support/system_folders.h"

using namespace platform::forms;

namespace {

constexpr const char* kInstalled = "Installed";
constexpr const char* kNotInstalled = "Not Installed";
constexpr long kInstalledColour = 50;                              // RGB(50, 0, 0)
constexpr long kNotInstalledColour = 100 | (100 << 8) | (100 << 16);  // RGB(100, 100, 100)
constexpr const char* kPluginsPage = "http://www.tessaly.com/plugins/";
constexpr const char* kStoreUnreadable =
    "The extra plug-in store cannot be read. It is left as it is, and no extra plug-in is listed or run.";

// A registry key test refuses an entry without a root and a path.
bool HasKeyPath(const std::string& detect) { return detect.find('\\') != std::string::npos; }

void MarkRow(ListItem& row, bool installed, bool ticked) {
  long colour = installed ? kInstalledColour : kNotInstalledColour;
  row.SubItems(2, installed ? kInstalled : kNotInstalled);
  row.Checked = installed && ticked;
  row.Bold = installed;
  row.ForeColor = colour;
  for (int i : {1, 2}) {
    row.ListSubItems(i).Bold = installed;
    row.ListSubItems(i).ForeColor = colour;
  }
}

bool IsInstalledRow(const ListItem& row) { return row.SubItems(2) == kInstalled; }

}  // namespace

void Form1Form::WireExtraPluginPage() {
  extraPlugins_ = std::make_shared<PluginStore>();
  extraPlugins_->SetShredder([this](const std::string& path) { engine_->ShredFile(path); });
  extraPlugins_->SetUnreadableNotice([] { MsgBox(kStoreUnreadable, vbOKOnly | vbExclamation); });
  extraPlugins_->SetBusyListener([this](bool) { RefreshPluginButtons(); });

  LSTEPI.View(3);
  LSTEPI.AddColumn({}, "", "Plug-in Application", 1700);
  LSTEPI.AddColumn({}, "", "Category", 1000);
  LSTEPI.AddColumn({}, "", "Status", 1100);
  Frame_EPI.Caption("Extra plug-ins");
  cmdNewPlugin.Caption("New Plugin");
  cmdEditPlugin.Caption("Edit Plugin");
  cmdDeletPlugin.Caption("Delete Plugin");
  cmdGetPlugins.Caption("Get Plugins");
  chkEPISelectAll.Caption("Select All");
  chkEPISelectAll.ToolTipText("Select / De-select all plugins");

  TSY_ON(cmdNewPlugin, Click, cmdNewPlugin_Click);
  TSY_ON(cmdEditPlugin, Click, cmdEditPlugin_Click);
  TSY_ON(cmdDeletPlugin, Click, cmdDeletPlugin_Click);
  TSY_ON(cmdGetPlugins, Click, cmdGetPlugins_Click);
  TSY_ON(chkEPISelectAll, Click, chkEPISelectAll_Click);
  LSTEPI.ColumnClick.Handle([this](ColumnHeader& column) { LSTEPI_ColumnClick(column); });
  LSTEPI.ItemCheck.Handle([this](ListItem& row) { LSTEPI_ItemCheck(row); });
  LSTEPI.MouseDown.Handle([this](int, int, float, float) { UntickNotInstalledRows(); });
  LSTEPI.MouseUp.Handle([this](int button, int shift, float x, float y) { LSTEPI_MouseUp(button, shift, x, y); });
}

std::string Form1Form::GetFromINI(const std::string& section, const std::string& key) {
  return ReadWholeProfileString(section, key, "0", extraPlugins_->clearCopyPath());
}

bool Form1Form::SetToINI(const std::string& section, const std::string& key, const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                    extraPlugins_->clearCopyPath().c_str()) != 0;
}

void Form1Form::LoadExtraPlugins(const std::string& storePath) {
  bool firstLoad = extraPlugins_->storePath().empty();
  extraPlugins_->SetPaths(storePath, g_WindowsDir + "\\inf\\xyzx.inf");
  // Only the one running instance gets here: what an interrupted cycle
  // left is cleared before the store is first read.
  if (firstLoad) extraPlugins_->RecoverAtStartUp();
  auto cycle = extraPlugins_->Open(false);
  if (cycle->state() == PluginStore::State::Refused) return;  // the list stays as it is
  LSTEPI.Clear();
  if (!cycle->readable()) return;
  for (const std::string& name : ReadProfileSectionNames(extraPlugins_->clearCopyPath())) {
    ListItem* row = nullptr;
    // The key is the name where the list accepts it; nothing depends on it.
    try {
      row = &LSTEPI.Add({}, name, name);
    } catch (const platform::RuntimeError&) {
      row = &LSTEPI.Add({}, "", name);
    }
    row->SubItems(1, GetFromINI(name, "CAT"));
    row->SubItems(2, kInstalled);
  }
}

void Form1Form::CheckExtraPlugins() {
  auto cycle = extraPlugins_->Open(false);
  if (!cycle->readable()) return;
  for (int i = 1; i <= LSTEPI.Count(); ++i) {
    ListItem& row = LSTEPI.Item(i);
    std::string detect = GetFromINI(row.Text, "Detect");
    bool installed = HasKeyPath(detect) && engine_->TraceKeyExists(detect);
    MarkRow(row, installed, GetFromINI(row.Text, "Default") == "True");
  }
}

void Form1Form::RebuildExtraPluginList() {
  LoadExtraPlugins(App.Path() + "\\Plugins\\PLUGINS.dbs");
  CheckExtraPlugins();
}

// The ticks of installed rows; a not-installed plug-in keeps its stored
// choice for when its program is back.
void Form1Form::EPI_Save_Settings() {
  // No rows, nothing to store: the store and its folder are left as they are.
  if (extraPlugins_->storePath().empty() || LSTEPI.Count() == 0) return;
  auto cycle = extraPlugins_->Open(true);
  if (!cycle->readable()) return;
  // A copy that took only some of the writes is not enciphered back.
  bool written = true;
  for (int i = 1; i <= LSTEPI.Count(); ++i) {
    ListItem& row = LSTEPI.Item(i);
    if (IsInstalledRow(row)) written = SetToINI(row.Text, "Default", row.Checked ? "True" : "False") && written;
  }
  if (written) cycle->Commit();
}

// Removes exactly the selected plug-in: its section from the store, then
// its row, once the store without it stands.
void Form1Form::cmdDeletPlugin_Click() {
  ListItem* selected = LSTEPI.SelectedItemOrNull();
  if (!selected || extraPlugins_->storePath().empty()) return;
  std::string name = selected->Text;
  {
    auto cycle = extraPlugins_->Open(true);
    if (!cycle->readable()) return;
    if (!WritePrivateProfileStringA(name.c_str(), nullptr, nullptr, extraPlugins_->clearCopyPath().c_str()) ||
        !cycle->Commit())
      return;
  }
  for (int i = 1; i <= LSTEPI.Count(); ++i) {
    if (&LSTEPI.Item(i) == selected) {
      LSTEPI.Remove(i);
      break;
    }
  }
}

void Form1Form::cmdNewPlugin_Click() {
  ShowThatFrame(Frame_EPI);
  auto& editor = frmPluginEditor();
  ApplySkinToControls(editor);
  editor.NewPlugin();
  editor.Show();
}

void Form1Form::cmdEditPlugin_Click() {
  ListItem* selected = LSTEPI.SelectedItemOrNull();
  if (!selected) return;
  ShowThatFrame(Frame_EPI);
  auto& editor = frmPluginEditor();
  ApplySkinToControls(editor);
  if (editor.ShowPlugin(selected->Text)) editor.Show();
}

void Form1Form::cmdGetPlugins_Click() { ShellOpen(kPluginsPage); }

void Form1Form::chkEPISelectAll_Click() {
  bool tick = chkEPISelectAll.Value() != vbUnchecked;
  for (int i = 1; i <= LSTEPI.Count(); ++i) {
    ListItem& row = LSTEPI.Item(i);
    if (IsInstalledRow(row)) row.Checked = tick;
  }
}

void Form1Form::LSTEPI_ColumnClick(ColumnHeader& column) {
  LSTEPI.SortKey(column.Index - 1);
  LSTEPI.Sorted(true);
}

void Form1Form::LSTEPI_ItemCheck(ListItem& row) {
  if (row.Checked && !IsInstalledRow(row)) row.Checked = false;
}

void Form1Form::LSTEPI_MouseUp(int, int, float, float) { UntickNotInstalledRows(); }

void Form1Form::UntickNotInstalledRows() {
  for (int i = 1; i <= LSTEPI.Count(); ++i)
    if (!IsInstalledRow(LSTEPI.Item(i))) LSTEPI.Item(i).Checked = false;
}

void Form1Form::RefreshPluginButtons() {
  bool allowed = !runActive_ && !extraPlugins_->busy();
  for (Control* control : std::initializer_list<Control*>{&cmdNewPlugin, &cmdEditPlugin, &cmdDeletPlugin})
    control->Enabled(allowed);
  if (IsLoaded<FrmPluginEditorForm>()) frmPluginEditor().AllowStoreWork(allowed);
}
