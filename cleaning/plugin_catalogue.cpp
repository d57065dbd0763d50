#include "cleaning/plugin_catalogue.h"

#include "cleaning/plugin_builder.h"
#include "cleaning/plugin_names.h"

namespace {

constexpr std::string_view kKeyEnding = "- TSYRegKey";
constexpr std::string_view kValueMarker = "+ Value`= ";

std::string ValueEntry(const std::string& keyPath, const std::string& valueName) {
  return keyPath + std::string(kValueMarker) + valueName;
}

}  // namespace

std::string RegistryValueBase::TraceEntry() const { return ValueEntry(keyPath, valueName); }

std::string RegistryAction::TraceEntry() const {
  return valueName ? ValueEntry(keyPath, *valueName) : keyPath + std::string(kKeyEnding);
}

RegistryValueBase AppDataBase() {
  return {R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders)", "AppData",
          std::nullopt};
}

const std::vector<BuiltInPlugin>& BuiltInCatalogue() {
  static const std::vector<BuiltInPlugin> catalogue = BuildBuiltInCatalogue();
  return catalogue;
}

const BuiltInPlugin* FindBuiltInPlugin(std::string_view name) {
  for (std::size_t i = 0; i < kBuiltInPluginNames.size(); ++i)
    if (kBuiltInPluginNames[i] == name) return &BuiltInCatalogue()[i];
  return nullptr;
}
