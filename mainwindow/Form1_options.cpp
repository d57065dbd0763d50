// The options store: every section box, the general options, the plug-in
// selection and the DLL lists, under HKLM "SOFTWARE\TESSALY\SETTINGS", all
// as strings. A value that does not fit its control is skipped.
#include <cstdint>
#include <optional>

#include "mainwindow/Form1.h"
#include "platform/runtime/variant.h"
#include "platform/base/cp1252.h"
#include "platform/registry/advapi32.h"
#include "support/CRegister.h"

using namespace platform::forms;

namespace {

constexpr std::int32_t kMachineRoot = static_cast<std::int32_t>(HKEY_LOCAL_MACHINE);
const std::string kSettings = "SOFTWARE\\TESSALY\\SETTINGS";
const std::string kOptions = kSettings + "\\OPTIONS";

struct SectionKey {
  const char* key;
  ControlArray<CheckBox> Form1Form::*boxes;
  bool restored;  // OUTLOOK is written and never read back
};

const SectionKey kSectionKeys[] = {
    {"IE", &Form1Form::chkIE, true},           {"NETSCAPE", &Form1Form::chkNetScape, true},
    {"OPERA", &Form1Form::chkOpera, true},     {"AOL", &Form1Form::chkAOL, true},
    {"WINDOWS", &Form1Form::chkWindows, true}, {"OFFICE", &Form1Form::chkOffice, true},
    {"HARDDISK", &Form1Form::chkHardDisk, true}, {"MSN", &Form1Form::chkMSN, true},
    {"ICQ", &Form1Form::chkICQ, true},         {"YAHOO", &Form1Form::chkYahoo, true},
    {"OUTLOOK", &Form1Form::chkOutlook, false},
};

struct OptionBox {
  const char* value;
  CheckBox Form1Form::*box;
};

// Save order.
const OptionBox kOptionBoxes[] = {
    {"LoadStartup", &Form1Form::chkLoadStartUp},   {"CleanStartup", &Form1Form::chkRunStarted},
    {"CloseAfterClean", &Form1Form::chkCloseAfterWash}, {"UseShredding", &Form1Form::chkBleach},
    {"SkipMessages", &Form1Form::chkSkipMessages}, {"CleanThis", &Form1Form::chkCleanAll},
};
// Load order of the boxes read before the shredder's pass count.
const char* const kBoxesBeforePasses[] = {"LoadStartup", "CleanStartup", "SkipMessages", "CloseAfterClean",
                                          "UseShredding"};

const OptionBox& Option(std::string_view value) {
  for (const auto& option : kOptionBoxes)
    if (value == option.value) return option;
  return kOptionBoxes[0];
}

std::string Flag(bool value) { return value ? "True" : "False"; }

// CBool of a stored text; nothing for text that is no truth value.
std::optional<bool> ParseFlag(const std::string& text) {
  if (platform::EqualsNoCase(text, "True")) return true;
  if (platform::EqualsNoCase(text, "False")) return false;
  if (auto number = platform::vb::ParseNumber(text)) return *number != 0;
  return std::nullopt;
}

std::string Index(int i) { return std::to_string(i); }

void SaveList(CRegister& reg, const std::string& key, const ListBox& list) {
  reg.REGSaveSetting(kMachineRoot, key, "Count", Index(list.ListCount()));
  for (int i = 0; i < list.ListCount(); ++i) reg.REGSaveSetting(kMachineRoot, key, Index(i), list.List(i));
}

void LoadList(CRegister& reg, const std::string& key, ListBox& list) {
  OnErrorResumeNext guard;
  list.Clear();
  int count = 0;
  guard([&] { count = platform::vb::CInt(reg.REGGetSetting(kMachineRoot, key, "Count", "")); });
  for (int i = 0; i < count; ++i) list.AddItem(reg.REGGetSetting(kMachineRoot, key, Index(i), ""));
}

void SaveSelection(CRegister& reg, const std::string& key, const ListBox& list) {
  for (int i = 0; i < list.ListCount(); ++i) reg.REGSaveSetting(kMachineRoot, key, Index(i), Flag(list.Selected(i)));
}

void LoadSelection(CRegister& reg, const std::string& key, ListBox& list, const std::string& fallback) {
  OnErrorResumeNext guard;
  for (int i = 0; i < list.ListCount(); ++i)
    if (auto flag = ParseFlag(reg.REGGetSetting(kMachineRoot, key, Index(i), fallback)))
      guard([&] { list.Selected(i, *flag); });
}

}  // namespace

void Form1Form::SaveCleanSettings() {
  OnErrorResumeNext guard;
  CRegister reg;
  for (const auto& section : kSectionKeys) {
    auto& boxes = this->*section.boxes;
    for (int i = 0; i < boxes.Count(); ++i)
      reg.REGSaveSetting(kMachineRoot, kSettings + "\\" + section.key, Index(i), Index(boxes(i).Value()));
  }
  SaveSelection(reg, kSettings + "\\BUILTIN", lstBPI);
  for (const auto& option : kOptionBoxes) {
    if (std::string_view(option.value) == "SkipMessages")  // the pass count sits before it
      reg.REGSaveSetting(kMachineRoot, kOptions, "UseShreddingNom", Index(cmbShredder.ListIndex()));
    reg.REGSaveSetting(kMachineRoot, kOptions, option.value, Index((this->*option.box).Value()));
  }
  guard([&] { EPI_Save_Settings(); });
  SaveSelection(reg, kOptions + "\\BPI", lstBPI);
  for (int i = 1; i < lstDllDrives.Count(); ++i)
    reg.REGSaveSetting(kMachineRoot, kOptions + "\\DLLDrives", Index(i), Flag(lstDllDrives.Item(i).Checked));
  SaveList(reg, kOptions + "\\DLLFiles", lstDllFiles);
  SaveList(reg, kOptions + "\\DLLFolders", lstDllFolders);
}

void Form1Form::LoadCleanSettings() {
  OnErrorResumeNext guard;
  CRegister reg;
  // Handlers that write outside the window hold still meanwhile.
  struct LoadingScope {
    bool& flag;
    explicit LoadingScope(bool& f) : flag(f) { flag = true; }
    ~LoadingScope() { flag = false; }
  } loading(loadingOptions_);

  auto restoreBox = [&](CheckBox& box, const std::string& key, const std::string& value, const char* fallback) {
    std::string text = reg.REGGetSetting(kMachineRoot, key, value, fallback);
    guard([&] { box.Value(platform::vb::CInt(text)); });
  };
  for (const auto& section : kSectionKeys) {
    if (!section.restored) continue;
    auto& boxes = this->*section.boxes;
    for (int i = 0; i < boxes.Count(); ++i) restoreBox(boxes(i), kSettings + "\\" + section.key, Index(i), "0");
  }
  Refresh();
  LoadSelection(reg, kSettings + "\\BUILTIN", lstBPI, "True");
  Refresh();
  for (const char* value : kBoxesBeforePasses) restoreBox(this->*Option(value).box, kOptions, value, "");
  guard([&] {
    double passes = platform::vb::Val(reg.REGGetSetting(kMachineRoot, kOptions, "UseShreddingNom", ""));
    cmbShredder.ListIndex(platform::vb::CInt(passes));
  });
  restoreBox(chkCleanAll, kOptions, "CleanThis", "");
  Refresh();
  LoadSelection(reg, kOptions + "\\BPI", lstBPI, "False");
  Refresh();
  for (int i = 1; i < lstDllDrives.Count(); ++i)
    if (auto flag = ParseFlag(reg.REGGetSetting(kMachineRoot, kOptions + "\\DLLDrives", Index(i), "False")))
      lstDllDrives.Item(i).Checked = *flag;
  Refresh();
  LoadList(reg, kOptions + "\\DLLFiles", lstDllFiles);
  Refresh();
  LoadList(reg, kOptions + "\\DLLFolders", lstDllFolders);
  Refresh();
}
