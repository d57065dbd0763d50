#pragma once
// The built-in plug-ins as data: each entry names an application by its
// display name and lists, in running order, the registry keys and values,
// the folders (files of one level matching a mask) and the single files
// that hold its traces. File and folder actions find their folder through
// one of the entry's bases, computed when the entry runs.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// An install folder: the WIN.INI value `key` of `section`, or the default.
struct InstallFolderBase {
  std::string section;
  std::string key;  // "folder", or "folder1" for a second usual location
  std::string defaultFolder;
};

// The data of one registry value; `fallback` stands in when it reads blank.
struct RegistryValueBase {
  std::string keyPath;  // root, "\" and key path
  std::string valueName;
  std::optional<std::string> fallback;
  std::string TraceEntry() const;
};

struct WindowsDirBase {};

struct FixedFolderBase {
  std::string folder;
};

using PluginBase = std::variant<InstallFolderBase, RegistryValueBase, WindowsDirBase, FixedFolderBase>;

// Deletes a key (with its values and first-level subkeys) or one value.
struct RegistryAction {
  std::string keyPath;  // root, "\" and key path, as written in the data
  std::optional<std::string> valueName;
  std::string TraceEntry() const;
};

// Deletes the files matching `mask` directly in base + relative (or in the
// base itself).
struct FolderCleanAction {
  std::size_t base = 0;
  std::optional<std::string> relative;
  std::string mask;
};

struct FileDeleteAction {
  std::size_t base = 0;
  std::string relative;
};

using PluginAction = std::variant<RegistryAction, FolderCleanAction, FileDeleteAction>;

struct BuiltInPlugin {
  std::size_t position = 0;  // in the main window's list
  std::string_view name;
  // True where the targets were chosen by us from the application's usual
  // trace locations rather than carried over from the original list.
  bool authored = false;
  std::vector<PluginBase> bases;
  std::vector<PluginAction> actions;
};

// The 162 entries in list order.
const std::vector<BuiltInPlugin>& BuiltInCatalogue();
// The entry whose name equals `name` exactly (case and blanks count).
const BuiltInPlugin* FindBuiltInPlugin(std::string_view name);

// The value the AppData base reads: the user's application-data folder.
RegistryValueBase AppDataBase();
