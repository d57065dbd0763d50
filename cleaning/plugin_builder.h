#pragma once
// Small builders that keep the catalogue's data close to how it reads:
// numbered ranges of value names or keys expand in increasing order.
#include <initializer_list>
#include <string>
#include <vector>

#include "cleaning/plugin_catalogue.h"

// `stem` followed by first..last ("File", 1, 3 -> File1, File2, File3).
std::vector<std::string> NumberedNames(const std::string& stem, int first, int last);

InstallFolderBase Install(std::string section, std::string defaultFolder, std::string key = "folder");
RegistryValueBase RegistryValue(std::string keyPath, std::string valueName,
                                std::optional<std::string> fallback = std::nullopt);
inline WindowsDirBase WindowsDir() { return {}; }
inline FixedFolderBase Fixed(std::string folder) { return {std::move(folder)}; }

class PluginBuilder {
 public:
  // The entry at `position`; its name comes from the shared name table.
  explicit PluginBuilder(std::size_t position);

  PluginBuilder& Authored();
  PluginBuilder& Base(PluginBase base);

  PluginBuilder& Key(std::string keyPath);
  // keyPath followed by first..last, one key each.
  PluginBuilder& KeyRange(const std::string& keyPath, int first, int last);
  PluginBuilder& Values(const std::string& keyPath, std::initializer_list<const char*> names);
  PluginBuilder& ValueRange(const std::string& keyPath, const std::string& stem, int first, int last);

  PluginBuilder& Folder(std::size_t base, std::string relative, std::string mask = "*.*");
  PluginBuilder& FolderItself(std::size_t base, std::string mask);
  PluginBuilder& File(std::size_t base, std::string relative);

  BuiltInPlugin Build() &&;

 private:
  BuiltInPlugin plugin_;
};

// Collects the entries, refusing any that arrives out of list order.
class CatalogueBuilder {
 public:
  // Takes the entry's data (the builder is left empty).
  void Add(PluginBuilder& entry);
  void Add(PluginBuilder&& entry) { Add(entry); }
  std::vector<BuiltInPlugin> Take() &&;

 private:
  std::vector<BuiltInPlugin> entries_;
};

// The catalogue's data, in list order (plugin_catalogue_data.cpp).
std::vector<BuiltInPlugin> BuildBuiltInCatalogue();
