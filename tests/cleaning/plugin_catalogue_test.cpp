#include "cleaning/plugin_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "cleaning/plugin_builder.h"
#include "cleaning/plugin_names.h"
#include "cleaning/trace_entry.h"
#include "listed_plugins.h"
#include "platform/base/cp1252.h"
#include "plugin_rows.h"

namespace tessaly::testing {
namespace {

struct Counts {
  int keys = 0, values = 0, folders = 0, files = 0;
};

Counts CountActions(const BuiltInPlugin& plugin) {
  Counts counts;
  for (const auto& action : plugin.actions) {
    if (const auto* reg = std::get_if<RegistryAction>(&action))
      ++(reg->valueName ? counts.values : counts.keys);
    else if (std::holds_alternative<FolderCleanAction>(action))
      ++counts.folders;
    else
      ++counts.files;
  }
  return counts;
}

bool IsAppData(const RegistryValueBase& base) {
  RegistryValueBase appData = AppDataBase();
  return base.keyPath == appData.keyPath && base.valueName == appData.valueName && !base.fallback;
}

char BaseKind(const PluginBase& base) {
  if (const auto* value = std::get_if<RegistryValueBase>(&base)) return IsAppData(*value) ? 'A' : 'R';
  if (std::holds_alternative<InstallFolderBase>(base)) return 'I';
  if (std::holds_alternative<WindowsDirBase>(base)) return 'W';
  return 'F';
}

// Each kind once, in base order.
std::string BaseKinds(const BuiltInPlugin& plugin) {
  std::string kinds;
  for (const auto& base : plugin.bases)
    if (kinds.find(BaseKind(base)) == std::string::npos) kinds += BaseKind(base);
  return kinds;
}

// One base or action a line, in the notation of listed_plugins.h.
std::string Describe(const PluginBase& base) {
  if (const auto* install = std::get_if<InstallFolderBase>(&base))
    return "I|" + install->section + "|" + install->key + "|" + install->defaultFolder;
  if (const auto* value = std::get_if<RegistryValueBase>(&base))
    return IsAppData(*value) ? "A"
                             : "R|" + value->keyPath + "|" + value->valueName + "|" + value->fallback.value_or("");
  if (const auto* fixed = std::get_if<FixedFolderBase>(&base)) return "X|" + fixed->folder;
  return "W";
}

std::string Describe(const PluginAction& action) {
  if (const auto* reg = std::get_if<RegistryAction>(&action))
    return reg->valueName ? "V|" + reg->keyPath + "|" + *reg->valueName : "K|" + reg->keyPath;
  if (const auto* folder = std::get_if<FolderCleanAction>(&action))
    return "D|" + std::to_string(folder->base) + "|" + folder->relative.value_or("") + "|" + folder->mask;
  const auto& file = std::get<FileDeleteAction>(action);
  return "F|" + std::to_string(file.base) + "|" + file.relative;
}

template <typename Items>
std::vector<std::string> DescribeAll(const Items& items) {
  std::vector<std::string> lines;
  for (const auto& item : items) lines.push_back(Describe(item));
  return lines;
}

TEST(PluginCatalogue, EveryRowHasItsNamePositionCountsAndBases) {
  const auto& catalogue = BuiltInCatalogue();
  ASSERT_EQ(catalogue.size(), std::size(kPluginRows));
  for (const auto& row : kPluginRows) {
    SCOPED_TRACE(row.name);
    const BuiltInPlugin& plugin = catalogue[row.position];
    EXPECT_EQ(plugin.position, static_cast<std::size_t>(row.position));
    EXPECT_EQ(plugin.name, row.name);
    EXPECT_EQ(kBuiltInPluginNames[row.position], row.name);
    Counts counts = CountActions(plugin);
    EXPECT_EQ(counts.keys, row.keys);
    EXPECT_EQ(counts.values, row.values);
    EXPECT_EQ(counts.folders, row.folders);
    EXPECT_EQ(counts.files, row.files);
    EXPECT_EQ(BaseKinds(plugin), row.bases);
  }
}

TEST(PluginCatalogue, TotalsAndShapes) {
  Counts total;
  int registryOnly = 0;
  std::size_t largest = 0;
  std::map<char, int> entriesByBaseKind;
  for (const auto& plugin : BuiltInCatalogue()) {
    Counts counts = CountActions(plugin);
    total.keys += counts.keys, total.values += counts.values;
    total.folders += counts.folders, total.files += counts.files;
    if (counts.folders + counts.files == 0) ++registryOnly;
    largest = std::max(largest, plugin.actions.size());
    for (char kind : BaseKinds(plugin)) ++entriesByBaseKind[kind];
    EXPECT_FALSE(plugin.actions.empty()) << plugin.name;
  }
  EXPECT_EQ(total.keys, 194);
  EXPECT_EQ(total.values, 692);
  EXPECT_EQ(total.folders, 79);
  EXPECT_EQ(total.files, 110);
  EXPECT_EQ(total.keys + total.values + total.folders + total.files, 1075);
  EXPECT_EQ(registryOnly, 65);
  EXPECT_EQ(largest, 102u);
  EXPECT_EQ(entriesByBaseKind, (std::map<char, int>{{'I', 67}, {'W', 18}, {'A', 12}, {'R', 3}, {'F', 1}}));
}

TEST(PluginCatalogue, NamesAreUniqueAndEachIsFoundExactly) {
  std::set<std::string_view> names(kBuiltInPluginNames.begin(), kBuiltInPluginNames.end());
  EXPECT_EQ(names.size(), kBuiltInPluginCount);
  for (std::size_t i = 0; i < kBuiltInPluginCount; ++i) {
    const BuiltInPlugin* found = FindBuiltInPlugin(kBuiltInPluginNames[i]);
    ASSERT_NE(found, nullptr) << kBuiltInPluginNames[i];
    EXPECT_EQ(found->position, i);
  }
  for (const char* near : {"acdsee", "ACDSee ", " ACDSee", "Morpheus", ""})
    EXPECT_EQ(FindBuiltInPlugin(near), nullptr) << near;
}

TEST(PluginCatalogue, ListedEntriesHoldTheirExactActionsAndTheRestAreMarkedAuthored) {
  const auto& catalogue = BuiltInCatalogue();
  std::set<int> listed;
  for (const auto& expected : ListedPlugins()) {
    const BuiltInPlugin& plugin = catalogue[expected.position];
    SCOPED_TRACE(plugin.name);
    listed.insert(expected.position);
    EXPECT_FALSE(plugin.authored);
    EXPECT_EQ(DescribeAll(plugin.bases), std::vector<std::string>(expected.bases.begin(), expected.bases.end()));
    EXPECT_EQ(DescribeAll(plugin.actions), std::vector<std::string>(expected.actions.begin(), expected.actions.end()));
  }
  EXPECT_EQ(listed.size(), 57u);
  for (const auto& plugin : catalogue) {
    if (!listed.count(static_cast<int>(plugin.position))) {
      EXPECT_TRUE(plugin.authored) << plugin.name;
    }
  }
}

// The root before the first "\" is one of the seven predefined keys.
bool HasKnownRoot(const std::string& entry) {
  std::size_t slash = entry.find('\\');
  if (slash == std::string::npos || slash + 1 >= entry.size()) return false;
  std::string root = entry.substr(0, slash);
  for (const char* known : {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
                            "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"})
    if (platform::EqualsNoCase(root, known)) return true;
  return false;
}

TEST(PluginCatalogue, EveryTraceEntryIsWellFormed) {
  for (const auto& plugin : BuiltInCatalogue()) {
    SCOPED_TRACE(plugin.name);
    for (const auto& action : plugin.actions) {
      const auto* reg = std::get_if<RegistryAction>(&action);
      if (!reg) continue;
      std::string entry = reg->TraceEntry();
      EXPECT_TRUE(HasKnownRoot(entry)) << entry;
      // The engine reads it back as the key or value intended.
      TraceEntry parsed = ParseTraceEntry(entry);
      EXPECT_FALSE(parsed.malformed) << entry;
      EXPECT_TRUE(parsed.root.has_value()) << entry;
      EXPECT_EQ(parsed.kind, reg->valueName ? TraceKind::Value : TraceKind::Key) << entry;
      EXPECT_EQ(parsed.path, reg->keyPath.substr(reg->keyPath.find('\\') + 1)) << entry;
      if (reg->valueName) {
        EXPECT_EQ(parsed.valueName, *reg->valueName) << entry;
      }
      if (reg->valueName) {
        EXPECT_EQ(entry, reg->keyPath + "+ Value`= " + *reg->valueName);
        EXPECT_FALSE(reg->valueName->empty());
        EXPECT_EQ(reg->keyPath.find_first_of("+="), std::string::npos) << entry;
      } else {
        EXPECT_EQ(entry, reg->keyPath + "- TSYRegKey");
      }
    }
    for (const auto& base : plugin.bases) {
      if (const auto* value = std::get_if<RegistryValueBase>(&base)) {
        EXPECT_TRUE(HasKnownRoot(value->TraceEntry()));
        TraceEntry parsed = ParseTraceEntry(value->TraceEntry());
        EXPECT_EQ(parsed.kind, TraceKind::Value);
        EXPECT_EQ(parsed.valueName, value->valueName);
      }
    }
  }
}

TEST(PluginCatalogue, EveryBaseIsUsedAndEveryPathIsRelative) {
  for (const auto& plugin : BuiltInCatalogue()) {
    SCOPED_TRACE(plugin.name);
    std::vector<bool> used(plugin.bases.size(), false);
    for (const auto& action : plugin.actions) {
      std::string relative;
      if (const auto* folder = std::get_if<FolderCleanAction>(&action)) {
        used.at(folder->base) = true;
        relative = folder->relative.value_or("");
        EXPECT_FALSE(folder->mask.empty());
      } else if (const auto* file = std::get_if<FileDeleteAction>(&action)) {
        used.at(file->base) = true;
        relative = file->relative;
        EXPECT_FALSE(relative.empty());
      }
      EXPECT_TRUE(relative.empty() || (relative[0] != '\\' && relative.find(':') == std::string::npos)) << relative;
      EXPECT_EQ(relative.find(".."), std::string::npos) << relative;
    }
    EXPECT_EQ(std::count(used.begin(), used.end(), false), 0);
  }
}

TEST(PluginCatalogue, BuildersExpandRangesInOrderAndRefuseBadData) {
  EXPECT_EQ(NumberedNames("File", 8, 11), (std::vector<std::string>{"File8", "File9", "File10", "File11"}));
  EXPECT_TRUE(NumberedNames("File", 2, 1).empty());
  EXPECT_THROW(std::move(PluginBuilder(0)).Build(), std::logic_error);                   // no actions
  EXPECT_THROW(std::move(PluginBuilder(0).File(0, "a.txt")).Build(), std::logic_error);  // no such base
  EXPECT_THROW(PluginBuilder{kBuiltInPluginCount}, std::logic_error);
  CatalogueBuilder builder;
  EXPECT_THROW(builder.Add(PluginBuilder(1).Key(R"(HKEY_USERS\x)")), std::logic_error);  // out of order
  builder.Add(PluginBuilder(0).Key(R"(HKEY_USERS\x)"));
  EXPECT_THROW(std::move(builder).Take(), std::logic_error);  // incomplete
}

}  // namespace
}  // namespace tessaly::testing
