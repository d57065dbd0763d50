#pragma once
// The registry of one machine: the two stored hives, the keys the other
// roots stand for, the open handles and the current user's rights.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/base/wintypes.h"
#include "platform/machine/machine.h"
#include "platform/registry/registry_access.h"
#include "platform/registry/registry_key.h"

namespace platform::registry {

// An open registry handle: its key and the rights it was opened with.
struct OpenKey {
  std::shared_ptr<Key> key;
  REGSAM rights = 0;
};

class RegistryStore : public MachineArea {
 public:
  // Loads HKLM.reg and HKU.reg from the machine's registry folder; a missing
  // file is an empty hive. Throws MachineError naming the file and line when
  // a hive does not parse (the file is left as it is).
  explicit RegistryStore(Machine& machine);
  ~RegistryStore() override;

  // Writes each changed hive atomically; throws MachineError on a host
  // failure (the previous file then stays, the other hive is still written).
  void Flush() override;
  bool HasPendingWrites() const override { return localMachine_.dirty || users_.dirty; }
  // Volatile keys do not survive a restart.
  void OnRestart() override;

  Machine& machine() { return machine_; }
  Hive& localMachine() { return localMachine_; }
  Hive& users() { return users_; }
  std::filesystem::path HiveFile(const Hive& hive) const;

  // The key a predefined root (0x80000000..0x80000006) stands for; null for
  // other values and for the roots the machine's family lacks.
  std::shared_ptr<Key> PredefinedKey(HKEY root) const;
  static bool IsPredefined(HKEY handle) { return handle >= 0x80000000u && handle <= 0x80000006u; }

  // Rights on the NT family; on the 9x family every key allows everything.
  bool checksRights() const { return checksRights_ && systemScopes_ == 0; }
  // While alive, calls act as the system rather than the user (a restart
  // applying pending operations), so no key is refused for rights.
  class SystemScope {
   public:
    explicit SystemScope(RegistryStore& store) : store_(store) { ++store_.systemScopes_; }
    ~SystemScope() { --store_.systemScopes_; }
    SystemScope(const SystemScope&) = delete;
    SystemScope& operator=(const SystemScope&) = delete;

   private:
    RegistryStore& store_;
  };
  Grant GrantFor(const Key& key) const { return rules_.GrantFor(key); }
  Grant GrantForPath(std::string_view rulePath) const { return rules_.GrantForPath(rulePath); }

  // Handles come from a counter, in call order, so runs are repeatable.
  HKEY AddHandle(std::shared_ptr<Key> key, REGSAM rights);
  bool CloseHandle(HKEY handle);
  const OpenKey* FindHandle(HKEY handle) const;

  std::int64_t Now() { return machine_.clock().NowUtc(); }
  // Records a change of `key`: its last-write time and its hive's pending write.
  void Touch(Key& key);

  // HKEY_DYN_DATA of the 9x family. Its keys are read-only; a source of
  // dynamic data (processor statistics) adds its keys below this root and
  // sets a refresher, called before a value under the root is read.
  Key* dynamicDataRoot() { return dynamicData_.get(); }
  using ValueRefresher = std::function<void(const Key& key, RegValue& value)>;
  void setDynamicValueRefresher(ValueRefresher refresher) { refresher_ = std::move(refresher); }
  void RefreshBeforeRead(const Key& key, RegValue& value);

 private:
  void LoadHive(Hive& hive);
  Key& ProtectedPath(Key& from, std::string_view subPath);
  std::shared_ptr<Key> VirtualRoot(const char* name);
  void WriteHive(Hive& hive);
  void DropVolatileKeys(Key& key);

  Machine& machine_;
  int systemScopes_ = 0;
  bool checksRights_;
  AccessRules rules_;
  Hive localMachine_;
  Hive users_;
  std::shared_ptr<Key> classesRoot_;
  std::shared_ptr<Key> currentUser_;
  std::shared_ptr<Key> currentConfig_;
  std::shared_ptr<Key> performanceData_;  // NT only
  std::shared_ptr<Key> dynamicData_;      // 9x only
  ValueRefresher refresher_;
  std::unordered_map<HKEY, OpenKey> handles_;
  HKEY nextHandle_ = 0x100;
  std::size_t lastHiveSize_ = 0;
};

}  // namespace platform::registry
