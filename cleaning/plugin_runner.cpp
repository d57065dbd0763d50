// The built-in plug-in runner: finds an entry by its exact name and runs its
// actions in order, logging through the engine form.
#include "cleaning/plugin_runner.h"

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "cleaning/Delete.h"
#include "cleaning/RegistryHelper.h"
#include "cleaning/file_actions.h"
#include "cleaning/frmClean.h"
#include "cleaning/modPlugins.h"
#include "cleaning/plugin_catalogue.h"
#include "cleaning/plugin_names.h"
#include "mainwindow/Form1.h"
#include "platform/base/runtime_error.h"
#include "platform/forms/event_loop.h"
#include "platform/forms/strings.h"
#include "support/path_helpers.h"

namespace {

// What a folder action on a blank base logs: the same line a missing
// folder gives.
constexpr std::int32_t kPathNotFound = 76;

std::string RegistryFolder(const RegistryValueBase& base) {
  std::string value = ReadTraceValue(base.TraceEntry());
  if (base.fallback && platform::forms::Trim(value).empty()) return *base.fallback;
  return value;
}

// The folder a base names; "" when it reads blank.
std::string ResolveBase(const PluginBase& base) {
  if (const auto* install = std::get_if<InstallFolderBase>(&base))
    return GetPluginFolder(install->section, install->key, install->defaultFolder);
  if (const auto* value = std::get_if<RegistryValueBase>(&base)) return RegistryFolder(*value);
  if (const auto* fixed = std::get_if<FixedFolderBase>(&base)) return fixed->folder;
  return cleaning::CurrentWindowsFolder();
}

// The entry's bases, each read once, just before the first action using it.
// A base that reads blank yields no folder: nothing is ever deleted at the
// root of a drive through it.
class EntryBases {
 public:
  explicit EntryBases(const BuiltInPlugin& plugin) : plugin_(plugin), folders_(plugin.bases.size()) {}

  std::optional<std::string> Folder(std::size_t index) {
    auto& folder = folders_.at(index);
    if (!folder) folder = ResolveBase(plugin_.bases.at(index));
    if (platform::forms::Trim(*folder).empty()) return std::nullopt;
    return *folder;
  }

 private:
  const BuiltInPlugin& plugin_;
  std::vector<std::optional<std::string>> folders_;
};

void RunAction(const PluginAction& action, EntryBases& bases) {
  if (const auto* reg = std::get_if<RegistryAction>(&action)) {
    RunTraceEntry(reg->TraceEntry());
  } else if (const auto* folder = std::get_if<FolderCleanAction>(&action)) {
    std::optional<std::string> base = bases.Folder(folder->base);
    if (!base) {
      frmClean().AddItem(platform::StandardErrorText(kPathNotFound));
      return;
    }
    std::string path = folder->relative ? JoinPath(*base, *folder->relative) : *base;
    CleanedBytesTotal += Delete().DeleteFilesInFolder(path, folder->mask);
  } else {
    const auto& file = std::get<FileDeleteAction>(action);
    if (std::optional<std::string> base = bases.Folder(file.base))
      CleanedBytesTotal += Delete().DeleteFile(JoinPath(*base, file.relative));
  }
}

class EnginePluginRunner : public BuiltInPluginRunner {
 public:
  void ResetCleanedBytes() override { ::CleanedBytesTotal = 0; }
  void CleanStandardPlugins(const std::string& pluginName) override { frmClean().CleanStandardPlugins(pluginName); }
  double CleanedBytesTotal() override { return static_cast<double>(::CleanedBytesTotal); }
};

}  // namespace

std::int32_t FrmCleanForm::CleanStandardPlugins(const std::string& name) {
  platform::forms::DoEvents();
  AddItem("\r\n\r\nTSY has cleaned " + name + " , with the following results:");
  AddItem("\tDeleting registry items for " + name);
  const BuiltInPlugin* plugin = FindBuiltInPlugin(name);
  if (!plugin) return 0;
  try {
    EntryBases bases(*plugin);
    for (const auto& action : plugin->actions) RunAction(action, bases);
  } catch (const std::exception& error) {
    AddItem("\t" + std::string(error.what()));
    return 0;
  }
  return 1000;
}

std::shared_ptr<BuiltInPluginRunner> MakeBuiltInPluginRunner() { return std::make_shared<EnginePluginRunner>(); }

void ConnectBuiltInPluginRunner(Form1Form& form) { form.SetPluginRunner(MakeBuiltInPluginRunner()); }

void ConnectBuiltInPluginNames() {
  InstallBuiltInPluginNames(std::vector<std::string>(kBuiltInPluginNames.begin(), kBuiltInPluginNames.end()));
}
