// The plug-in editor and the store: starting a new plug-in, loading a
// stored one, and writing the edited one as its section, whole.
#include <vector>

#include "mainwindow/Form1.h"
#include "mainwindow/plugins/frmPluginEditor.h"
#include "mainwindow/plugins/plugin_rows.h"
#include "mainwindow/plugins/plugin_store.h"
#include "mainwindow/plugins/whole_profile_reads.h"
#include "platform/base/cp1252.h"
#include "platform/profile/profile.h"
#include "support/skins.h"

using namespace platform::forms;

namespace {

constexpr const char* kSaveTitle = "TSY Plugin Editor";
constexpr const char* kNoName = "Please specify a name for the plugin";
constexpr const char* kNameTaken = "A plugin with this name already exists. Please choose another name.";
constexpr const char* kNameNotStorable = "A plugin name cannot contain \"]\" nor begin with \";\" or \"[\".";
constexpr const char* kStoreInUse = "The plugin store is in use. Please try again when the current work has finished.";
constexpr const char* kNotSaved = "The plugin could not be saved; the stored plugins are unchanged.";

// A section name the INI layout gives back as written.
bool IsStorableName(const std::string& name) {
  return name.find_first_of("]\r\n") == std::string::npos && name.front() != ';' && name.front() != '[';
}

bool HasKey(const std::vector<std::string>& keys, const std::string& key) {
  for (const auto& each : keys)
    if (platform::EqualsNoCase(each, key)) return true;
  return false;
}

// "name=value" lines for the list's stored rows, numbered without gaps, and
// the count line.
void AddNumberedRows(std::vector<std::string>& lines, const ListBox& list, const char* rowKey, const char* countKey) {
  std::vector<std::string> rows;
  for (int i = 0; i < list.ListCount(); ++i)
    if (!IsEmptyRow(list.List(i))) rows.push_back(Trim(list.List(i)));
  lines.push_back(std::string(countKey) + "=" + std::to_string(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) lines.push_back(rowKey + std::to_string(i + 1) + "=" + rows[i]);
}

// The first row of a one-row list, when it holds something.
void AddSingleRow(std::vector<std::string>& lines, const ListBox& list, const char* key) {
  if (list.ListCount() == 0) return;
  std::string row = Trim(list.List(0));
  if (!IsEmptyRow(row) && row != "0") lines.push_back(std::string(key) + "=" + row);
}

void Tell(const char* text) { ShowMessage(text, vbOKOnly, kSaveTitle, false); }

}  // namespace

void FrmPluginEditorForm::ResetAll() {
  filling_ = true;
  if (FrameFilesFolders.Visible()) cmdRegistry_Click();  // each plug-in starts on the registry rows
  txtName.Text("");
  txtCat.Text("");
  for (ListBox* list : {&lstRegistryDetect, &lstRegistryApp, &lstRegistry, &lstFileFolder}) list->Clear();
  txtPath.Text("");
  txtKeyValue.Text("");
  cmbPathRegistry.ListIndex(kDefaultRoot);
  cmbRegistry.ListIndex(0);
  txtPathFF.Text("");
  txtFileName.Text("");
  txtFilePattern.Text("");
  chkSubfolders.Value(vbUnchecked);
  optFilePattern.Value(true);
  optFilePattern_Click();
  filling_ = false;
  edited_ = false;
  RefreshApply();
}

void FrmPluginEditorForm::NewPlugin() {
  ResetAll();
  for (ListBox* list : {&lstRegistryDetect, &lstRegistryApp, &lstRegistry, &lstFileFolder}) list->AddItem("");
  editingStored_ = false;
  txtName.Locked(false);
  txtName.SetFocus();
  cmbRegisterySel.ListIndex(0);
}

bool FrmPluginEditorForm::ShowPlugin(const std::string& name) {
  ResetAll();
  PluginStore& store = Form1().ExtraPluginStore();
  auto cycle = store.Open(false);
  if (cycle->state() == PluginStore::State::Refused) Tell(kStoreInUse);
  if (!cycle->readable()) return false;
  const std::string& copy = store.clearCopyPath();
  auto read = [&](const std::string& key) { return ReadWholeProfileString(name, key, "", copy); };
  int keys = static_cast<int>(ReadProfileKeyNames(name, copy).size());
  filling_ = true;
  txtName.Text(name);
  txtCat.Text(read("CAT"));
  lstRegistryDetect.AddItem(read("Detect"));
  lstRegistryApp.AddItem(read("APP"));
  for (auto [list, rowKey, countKey] : {std::tuple{&lstRegistry, "RK", "RC"}, std::tuple{&lstFileFolder, "FK", "FC"}}) {
    int count = StoredRowCount(read(countKey), keys);
    for (int n = 1; n <= count; ++n) {
      std::string row = read(rowKey + std::to_string(n));
      if (!IsEmptyRow(row)) list->AddItem(row);
    }
  }
  filling_ = false;
  editingStored_ = true;
  txtName.Locked(true);
  cmbRegisterySel.ListIndex(0);
  return true;
}

bool FrmPluginEditorForm::Save() {
  std::string name = Trim(txtName.Text());
  if (name.empty()) {
    ShowMessage(kNoName, vbOKOnly, kSaveTitle, false);
    txtName.SetFocus();
    return true;
  }
  if (!IsStorableName(name)) {
    Tell(kNameNotStorable);
    return true;
  }
  PluginStore& store = Form1().ExtraPluginStore();
  {
    auto cycle = store.Open(true);
    if (cycle->state() == PluginStore::State::Refused) Tell(kStoreInUse);
    if (!cycle->readable()) return true;
    const std::string& copy = store.clearCopyPath();
    bool stored = false;
    for (const auto& section : ReadProfileSectionNames(copy)) stored = stored || platform::EqualsNoCase(section, name);
    if (stored && !editingStored_) {
      Tell(kNameTaken);
      return true;
    }
    std::vector<std::string> lines{"CAT=" + Trim(txtCat.Text())};
    // The tick stays the user's, as the list last saved it.
    if (stored && HasKey(ReadProfileKeyNames(name, copy), "Default"))
      lines.push_back("Default=" + ReadWholeProfileString(name, "Default", "", copy));
    AddSingleRow(lines, lstRegistryDetect, "Detect");
    AddSingleRow(lines, lstRegistryApp, "APP");
    AddNumberedRows(lines, lstRegistry, "RK", "RC");
    AddNumberedRows(lines, lstFileFolder, "FK", "FC");
    std::string block;
    for (const auto& line : lines) block += line + '\0';
    block += '\0';
    if (!WritePrivateProfileSectionA(name.c_str(), block.c_str(), copy.c_str()) || !cycle->Commit()) {
      Tell(kNotSaved);
      return true;
    }
  }
  editingStored_ = true;
  txtName.Locked(true);
  edited_ = false;
  RefreshApply();
  Form1().RebuildExtraPluginList();
  return false;
}
