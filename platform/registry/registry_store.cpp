#include "platform/registry/registry_store.h"

#include <algorithm>
#include <exception>

#include "platform/base/cp1252.h"
#include "platform/base/host_file.h"
#include "platform/registry/perf_stats.h"
#include "platform/registry/registry_text.h"

namespace platform::registry {
namespace {

// Builds a hive from its file; every key line names the hive's own root.
class HiveLoader : public RegistryTextSink {
 public:
  HiveLoader(Hive& hive, std::string source, std::int64_t now) : hive_(hive), source_(std::move(source)), now_(now) {}

  void OnKey(std::string_view root, std::string_view subPath, std::size_t line) override {
    if (!EqualsNoCase(root, hive_.rootName)) ThrowTextError(source_, line, "key outside " + hive_.rootName);
    current_ = &FindOrCreatePath(*hive_.root, subPath, now_);
  }

  void OnValue(std::string_view name, DWORD type, std::string_view data, std::size_t) override {
    current_->SetValue(name, type, data);
  }

 private:
  Hive& hive_;
  std::string source_;
  std::int64_t now_;
  Key* current_ = nullptr;
};

bool IsValidKeyName(std::string_view name) {
  return !name.empty() && name.size() <= kMaxKeyName && name.find_first_of(std::string_view("\\\0\r\n", 4)) == std::string_view::npos;
}

}  // namespace

RegistryStore::RegistryStore(Machine& machine)
    : machine_(machine),
      checksRights_(machine.isNt()),
      rules_(machine),
      localMachine_{"HKEY_LOCAL_MACHINE", "HKLM", nullptr, false},
      users_{"HKEY_USERS", "HKU", nullptr, false} {
  LoadHive(localMachine_);
  LoadHive(users_);
  Key& lm = *localMachine_.root;
  Key& hku = *users_.root;
  ProtectedPath(lm, "SOFTWARE");
  ProtectedPath(lm, "SYSTEM");
  classesRoot_ = ProtectedPath(lm, "SOFTWARE\\Classes").shared_from_this();
  Key& defaultUser = ProtectedPath(hku, ".DEFAULT");
  if (machine.isNt()) {
    const std::string& sid = machine.description().userSid;
    if (!IsValidKeyName(sid)) throw MachineError("machine.ini: UserSid \"" + sid + "\" cannot name a registry key");
    currentUser_ = ProtectedPath(hku, sid).shared_from_this();
    currentConfig_ = ProtectedPath(lm, "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current").shared_from_this();
    performanceData_ = VirtualRoot("HKEY_PERFORMANCE_DATA");
  } else {
    currentUser_ = defaultUser.shared_from_this();
    currentConfig_ = ProtectedPath(lm, "Config\\0001").shared_from_this();
    dynamicData_ = VirtualRoot("HKEY_DYN_DATA");
    AddProcessorStatistics(*this);
  }
}

RegistryStore::~RegistryStore() = default;

std::filesystem::path RegistryStore::HiveFile(const Hive& hive) const {
  return machine_.registryFolder() / (hive.shortName + ".reg");
}

void RegistryStore::LoadHive(Hive& hive) {
  std::int64_t now = Now();
  hive.root = std::make_shared<Key>(hive.rootName, nullptr, &hive, false, now);
  hive.root->setProtected();
  hive.dirty = false;
  std::filesystem::path file = HiveFile(hive);
  std::optional<std::string> text = ReadHostFile(file);
  if (!text) return;
  lastHiveSize_ = std::max(lastHiveSize_, text->size());
  HiveLoader loader(hive, file.string(), now);
  ParseRegistryText(*text, file.string(), loader);
}

// Top keys and alias targets always exist. Creating them does not by itself
// rewrite a hive; they are stored with the next change.
Key& RegistryStore::ProtectedPath(Key& from, std::string_view subPath) {
  Key& key = FindOrCreatePath(from, subPath, Now());
  key.setProtected();
  return key;
}

std::shared_ptr<Key> RegistryStore::VirtualRoot(const char* name) {
  auto root = std::make_shared<Key>(name, nullptr, nullptr, true, Now());
  root->setProtected();
  root->setReadOnly();
  return root;
}

std::shared_ptr<Key> RegistryStore::PredefinedKey(HKEY root) const {
  switch (root) {
    case 0x80000000u:
      return classesRoot_;
    case 0x80000001u:
      return currentUser_;
    case 0x80000002u:
      return localMachine_.root;
    case 0x80000003u:
      return users_.root;
    case 0x80000004u:
      return performanceData_;
    case 0x80000005u:
      return currentConfig_;
    case 0x80000006u:
      return dynamicData_;
    default:
      return nullptr;
  }
}

HKEY RegistryStore::AddHandle(std::shared_ptr<Key> key, REGSAM rights) {
  HKEY handle = nextHandle_;
  nextHandle_ += 4;
  handles_.emplace(handle, OpenKey{std::move(key), rights});
  return handle;
}

bool RegistryStore::CloseHandle(HKEY handle) { return handles_.erase(handle) > 0; }

const OpenKey* RegistryStore::FindHandle(HKEY handle) const {
  auto it = handles_.find(handle);
  return it == handles_.end() ? nullptr : &it->second;
}

void RegistryStore::Touch(Key& key) {
  key.setLastWrite(Now());
  if (key.hive() && !key.isVolatile()) key.hive()->dirty = true;
}

void RegistryStore::RefreshBeforeRead(const Key& key, RegValue& value) {
  if (refresher_ && !key.hive() && dynamicData_) refresher_(key, value);
}

void RegistryStore::Flush() {
  std::exception_ptr first;
  for (Hive* hive : {&localMachine_, &users_}) {
    try {
      if (hive->dirty) WriteHive(*hive);
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  }
  if (first) std::rethrow_exception(first);
}

void RegistryStore::WriteHive(Hive& hive) {
  std::string text;
  text.reserve(lastHiveSize_ + lastHiveSize_ / 8 + 4096);
  AppendHiveText(*hive.root, text);
  lastHiveSize_ = std::max(lastHiveSize_, text.size());
  WriteHostFileAtomically(HiveFile(hive), text);
  hive.dirty = false;
}

void RegistryStore::OnRestart() {
  DropVolatileKeys(*localMachine_.root);
  DropVolatileKeys(*users_.root);
}

void RegistryStore::DropVolatileKeys(Key& key) {
  for (std::size_t i = key.subkeyCount(); i-- > 0;) {
    Key& child = key.subkeyAt(i);
    if (child.isVolatile()) {
      key.RemoveSubkey(child);
    } else {
      DropVolatileKeys(child);
    }
  }
}

}  // namespace platform::registry
