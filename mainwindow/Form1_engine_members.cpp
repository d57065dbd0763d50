// Members the cleaning engine and the support library call back: the
// built-in plug-in runner, the hide/show buttons and the DLL list.
#include <optional>

#include "mainwindow/Form1.h"
#include "platform/base/runtime_error.h"
#include "platform/files/runtime_files.h"
#include "platform/files/stand_in.h"
#include "platform/registry/advapi32.h"
#include "support/CRegister.h"

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

}  // namespace

double Form1Form::BPI_Do_Plugins() {
  pluginRunner_->ResetCleanedBytes();
  if (MsgBox(kPluginQuestion, vbYesNo | vbQuestion | vbDefaultButton2) == vbYes) {
    for (int i = 0; i < lstBPI.ListCount(); ++i) {
      if (!lstBPI.Selected(i)) continue;
      pluginRunner_->CleanStandardPlugins(lstBPI.List(i));
      fcBuiltIn += 1;
      CalcProg("BuiltIn");
    }
  }
  return pluginRunner_->CleanedBytesTotal();
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
  std::optional<platform::files::StandInHeader> header;
  if (platform::files::ReadStandInHeader(path, header) == ERROR_SUCCESS && header) record.version = header->version();
  try {
    record.size = static_cast<double>(platform::vb::FileLen(path));
  } catch (const platform::RuntimeError&) {
    // gone since the walk found it: size 0
  }
  (isSystem ? systemDlls : otherDlls).push_back(std::move(record));
}
