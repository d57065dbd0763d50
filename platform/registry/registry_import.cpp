#include "platform/registry/registry_import.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/base/cp1252.h"
#include "platform/registry/registry_store.h"
#include "platform/registry/registry_text.h"

namespace platform::registry {
namespace {

struct ImportedKey {
  HKEY root;
  std::string subPath;
  std::vector<RegValue> values;
};

// Collects the whole text first, so that a syntax error changes nothing.
class ImportCollector : public RegistryTextSink {
 public:
  ImportCollector(RegistryStore& store, std::string_view source) : store_(store), source_(source) {}

  void OnKey(std::string_view root, std::string_view subPath, std::size_t line) override {
    static constexpr struct {
      std::string_view name;
      HKEY handle;
    } kRoots[] = {
        {"HKEY_CLASSES_ROOT", 0x80000000u},
        {"HKEY_CURRENT_USER", 0x80000001u},
        {"HKEY_LOCAL_MACHINE", 0x80000002u},
        {"HKEY_USERS", 0x80000003u},
        {"HKEY_CURRENT_CONFIG", 0x80000005u},
    };
    for (const auto& known : kRoots) {
      if (EqualsNoCase(root, known.name)) {
        // Aliased roots lie below a hive's root; the stored path must stay
        // within the depth a hive may have.
        std::size_t depth = store_.PredefinedKey(known.handle)->depth();
        if (!subPath.empty()) depth += 1 + static_cast<std::size_t>(std::count(subPath.begin(), subPath.end(), '\\'));
        if (depth > kMaxKeyDepth) ThrowTextError(source_, line, "key path deeper than 512 levels");
        keys_.push_back({known.handle, std::string(subPath), {}});
        return;
      }
    }
    ThrowTextError(source_, line, "unknown root key " + std::string(root));
  }

  void OnValue(std::string_view name, DWORD type, std::string_view data, std::size_t) override {
    keys_.back().values.push_back({std::string(name), type, std::string(data)});
  }

  const std::vector<ImportedKey>& keys() const { return keys_; }

 private:
  RegistryStore& store_;
  std::string_view source_;
  std::vector<ImportedKey> keys_;
};

}  // namespace

void ImportRegistryText(Machine& machine, std::string_view text, std::string_view sourceName) {
  RegistryStore& store = machine.area<RegistryStore>();
  ImportCollector collector(store, sourceName);
  ParseRegistryText(text, sourceName, collector);
  for (const ImportedKey& imported : collector.keys()) {
    Key& key = FindOrCreatePath(*store.PredefinedKey(imported.root), imported.subPath, store.Now());
    for (const RegValue& value : imported.values) key.SetValue(value.name, value.type, value.data);
    store.Touch(key);
  }
}

}  // namespace platform::registry
