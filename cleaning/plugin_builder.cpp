#include "cleaning/plugin_builder.h"

#include <stdexcept>

#include "cleaning/plugin_names.h"

std::vector<std::string> NumberedNames(const std::string& stem, int first, int last) {
  std::vector<std::string> names;
  for (int n = first; n <= last; ++n) names.push_back(stem + std::to_string(n));
  return names;
}

InstallFolderBase Install(std::string section, std::string defaultFolder, std::string key) {
  return {std::move(section), std::move(key), std::move(defaultFolder)};
}

RegistryValueBase RegistryValue(std::string keyPath, std::string valueName, std::optional<std::string> fallback) {
  return {std::move(keyPath), std::move(valueName), std::move(fallback)};
}

PluginBuilder::PluginBuilder(std::size_t position) {
  if (position >= kBuiltInPluginNames.size()) throw std::logic_error("plug-in position out of range");
  plugin_.position = position;
  plugin_.name = kBuiltInPluginNames[position];
}

PluginBuilder& PluginBuilder::Authored() {
  plugin_.authored = true;
  return *this;
}

PluginBuilder& PluginBuilder::Base(PluginBase base) {
  plugin_.bases.push_back(std::move(base));
  return *this;
}

PluginBuilder& PluginBuilder::Key(std::string keyPath) {
  plugin_.actions.push_back(RegistryAction{std::move(keyPath), std::nullopt});
  return *this;
}

PluginBuilder& PluginBuilder::KeyRange(const std::string& keyPath, int first, int last) {
  for (auto& key : NumberedNames(keyPath, first, last)) Key(std::move(key));
  return *this;
}

PluginBuilder& PluginBuilder::Values(const std::string& keyPath, std::initializer_list<const char*> names) {
  for (const char* name : names) plugin_.actions.push_back(RegistryAction{keyPath, std::string(name)});
  return *this;
}

PluginBuilder& PluginBuilder::ValueRange(const std::string& keyPath, const std::string& stem, int first, int last) {
  for (auto& name : NumberedNames(stem, first, last))
    plugin_.actions.push_back(RegistryAction{keyPath, std::move(name)});
  return *this;
}

PluginBuilder& PluginBuilder::Folder(std::size_t base, std::string relative, std::string mask) {
  plugin_.actions.push_back(FolderCleanAction{base, std::move(relative), std::move(mask)});
  return *this;
}

PluginBuilder& PluginBuilder::FolderItself(std::size_t base, std::string mask) {
  plugin_.actions.push_back(FolderCleanAction{base, std::nullopt, std::move(mask)});
  return *this;
}

PluginBuilder& PluginBuilder::File(std::size_t base, std::string relative) {
  plugin_.actions.push_back(FileDeleteAction{base, std::move(relative)});
  return *this;
}

BuiltInPlugin PluginBuilder::Build() && {
  if (plugin_.actions.empty()) throw std::logic_error("plug-in without actions");
  for (const auto& action : plugin_.actions) {
    std::size_t base = 0;
    if (const auto* folder = std::get_if<FolderCleanAction>(&action))
      base = folder->base;
    else if (const auto* file = std::get_if<FileDeleteAction>(&action))
      base = file->base;
    else
      continue;
    if (base >= plugin_.bases.size()) throw std::logic_error("plug-in action names a missing base");
  }
  return std::move(plugin_);
}

void CatalogueBuilder::Add(PluginBuilder& entry) {
  BuiltInPlugin plugin = std::move(entry).Build();
  if (plugin.position != entries_.size()) throw std::logic_error("plug-in out of list order");
  entries_.push_back(std::move(plugin));
}

std::vector<BuiltInPlugin> CatalogueBuilder::Take() && {
  if (entries_.size() != kBuiltInPluginNames.size()) throw std::logic_error("plug-in catalogue incomplete");
  return std::move(entries_);
}
