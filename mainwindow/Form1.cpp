#include "mainwindow/Form1.h"

#include "cleaning/plugin_names.h"
#include "mainwindow/dll_facts.h"
#include "platform/base/cp1252.h"
#include "platform/registry/advapi32.h"
#include "support/CRegister.h"
#include "support/language_packs.h"
#include "support/skins.h"
#include "support/system_folders.h"

using namespace platform::forms;

namespace {

constexpr const char* kPluginQuestion =
    "Are you sure that you want to clean all plugins which contains email contacts and emails?";

// The hide states and the buttons they drive.
struct ShowHidePair {
  const char* key;
  CommandButton Form1Form::*show;
  CommandButton Form1Form::*hide;
};

const ShowHidePair kShowHidePairs[] = {
    {"SOFTWARE\\TESSALY\\TempU", &Form1Form::cmdTypedURLsShow, &Form1Form::cmdTypedURLsHide},
    {"SOFTWARE\\TESSALY\\TempP", &Form1Form::cmdPasswordsShow, &Form1Form::cmdPasswordsHide},
    {"SOFTWARE\\TESSALY\\TempF", &Form1Form::cmdFavoritesShow, &Form1Form::cmdFavoritesHide},
};

const char* const kIECaptions[] = {"Typed URLs", "AutoComplete", "Bleach Index.dat", "Download Folder",
                                   "Cache",      "History",      "Cookies"};

float Percent(double done, double steps) {
  if (steps <= 0) return 0;
  double percent = done * 100 / steps;
  return static_cast<float>(percent < 0 ? 0 : percent > 100 ? 100 : percent);
}

// The main window is what the support library asks for.
const bool kMainWindowLinked = (SetMainWindow([]() -> MainWindowServices& { return Form1(); }), true);

}  // namespace

Form1Form& Form1() {
  (void)kMainWindowLinked;
  return DefaultInstance<Form1Form>();
}

Form1Form::Form1Form() : Form("Form1") {
  Caption("Tessaly");
  txtResult.MultiLine(true);
  chkBleach.Caption("Use shredder");
  for (int passes = 1; passes <= 9; ++passes) cmbShredder.AddItem(std::to_string(passes));
  cmbShredder.ListIndex(0);
  lstBPI.Style(1);
  for (int i = 0; i < 7; ++i) chkIE(i).Caption(kIECaptions[i]);
  chkSkipMessages.Caption("Show Popup Messages");
}

void Form1Form::Form_Load() {
  InitSystemFolders();
  CurrentLanguage = GetSetting("tsy", "lang", "lang", "English");
  ApplyLanguage(*this);
  skn.LoadSkin(App.Path() + "\\Skin\\TSY.skn");
  skn.ApplySkinObject(hWnd(), "MainMask");
  ApplySkinToControls(*this);
  LoadBuiltInPlugins();
}

void Form1Form::LoadBuiltInPlugins() {
  for (std::string_view name : kBuiltInPluginNames) lstBPI.AddItem(std::string(name));
}

double Form1Form::BPI_Do_Plugins() {
  pluginRunner_->ResetCleanedBytes();
  if (MsgBox(kPluginQuestion, vbYesNo | vbDefaultButton2) == vbYes) {
    for (int i = 0; i < lstBPI.ListCount(); ++i) {
      if (!lstBPI.Selected(i)) continue;
      pluginRunner_->CleanStandardPlugins(lstBPI.List(i));
      fcBPI += 1;
      CalcProg("BPI");
    }
  }
  return pluginRunner_->CleanedBytesTotal();
}

void Form1Form::CalcProg(const std::string& tag) {
  struct Section {
    const char* tag;
    double done, steps;
  };
  const Section sections[] = {{"IE", fcIE, stepsIE}, {"NetScape", fcNetScape, stepsNetScape}, {"BPI", fcBPI, stepsBPI}};
  for (const auto& section : sections) {
    if (!platform::EqualsNoCase(section.tag, tag)) continue;
    lastProgressSection = section.tag;
    sectionProgress = Percent(section.done, section.steps);
  }
  double done = 0, steps = 0;
  for (const auto& section : sections) done += section.done, steps += section.steps;
  runProgress = Percent(done, steps);
}

void Form1Form::CheckShowHide() {
  CRegister registry;
  for (const auto& pair : kShowHidePairs) {
    std::string hidden = registry.REGGetSetting(static_cast<std::int32_t>(HKEY_LOCAL_MACHINE), pair.key, "Hide", "False");
    (this->*pair.show).Enabled(hidden == "True");
    (this->*pair.hide).Enabled(hidden == "False");
  }
}

void Form1Form::AddToDllList(const std::string& path, bool& isSystem) {
  for (int i = 0; i < lstDllFiles.ListCount(); ++i)
    if (lstDllFiles.List(i) == path) return;
  lblDLL_Name.Caption(path);
  Refresh();
  DllRecord record;
  record.path = path;
  record.name = path.substr(path.find_last_of('\\') + 1);
  record.version = tessaly::StandInFileVersion(path);
  record.size = tessaly::FileSizeOf(path);
  (isSystem ? systemDlls : otherDlls).push_back(std::move(record));
}
