#pragma once
// The in-memory registry tree: keys with sorted subkeys and values kept in
// creation order. Names compare case-insensitively and keep their case.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/base/wintypes.h"

namespace platform::registry {

class Key;

// One stored hive: HKLM.reg or HKU.reg.
struct Hive {
  std::string rootName;   // "HKEY_LOCAL_MACHINE"
  std::string shortName;  // "HKLM", as [Access] rules name it
  std::shared_ptr<Key> root;
  bool dirty = false;     // changed since it was loaded or written
};

// One value: name ("" is the default value), type number and the bytes
// exactly as written.
struct RegValue {
  std::string name;
  DWORD type = 0;
  std::string data;
};

class Key : public std::enable_shared_from_this<Key> {
 public:
  Key(std::string name, Key* parent, Hive* hive, bool isVolatile, std::int64_t lastWrite);
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;

  const std::string& name() const { return name_; }
  Key* parent() const { return parent_; }
  // The hive the key is stored in; null for the keys no hive stores
  // (performance and dynamic data).
  Hive* hive() const { return hive_; }

  bool isVolatile() const { return volatile_; }
  bool isDeleted() const { return deleted_; }
  // Roots, hive top keys and alias targets: never deleted.
  bool isProtected() const { return protected_; }
  void setProtected() { protected_ = true; }
  // Keys that no call may change (HKEY_PERFORMANCE_DATA, HKEY_DYN_DATA).
  bool isReadOnly() const { return readOnly_; }
  void setReadOnly() { readOnly_ = true; }

  std::int64_t lastWrite() const { return lastWrite_; }
  void setLastWrite(std::int64_t time) { lastWrite_ = time; }

  // Subkeys in the sorted order of every listing.
  std::size_t subkeyCount() const { return subkeys_.size(); }
  Key& subkeyAt(std::size_t index) const { return *subkeys_[index]; }
  Key* FindSubkey(std::string_view name) const;
  // Adds a subkey that does not exist yet; it inherits volatility.
  Key& AddSubkey(std::string_view name, bool isVolatile, std::int64_t lastWrite);
  // Detaches `child` and marks its whole subtree deleted; handles that keep
  // a share of it then see a deleted key.
  void RemoveSubkey(Key& child);

  // Values in creation order.
  std::size_t valueCount() const { return values_.size(); }
  const RegValue& valueAt(std::size_t index) const { return values_[index]; }
  RegValue& valueAt(std::size_t index) { return values_[index]; }
  RegValue* FindValue(std::string_view name);
  const RegValue* FindValue(std::string_view name) const;
  // Replaces the value's type and data, keeping its place; a new value goes
  // to the end.
  void SetValue(std::string_view name, DWORD type, std::string_view data);
  bool DeleteValue(std::string_view name);

  // Whether this key or a key below it is protected.
  bool HasProtectedInSubtree() const;
  // Levels below the hive root (the root itself is 0).
  std::size_t depth() const;
  // Names from the hive root down, root name first ("HKEY_LOCAL_MACHINE", "SOFTWARE", ...).
  std::vector<std::string_view> PathComponents() const;

 private:
  std::size_t LowerBound(std::string_view name) const;
  std::ptrdiff_t IndexOfValue(std::string_view name) const;
  void MarkSubtreeDeleted();
  // Indexes every value when there are more than a short scan handles well.
  void RebuildValueIndex();

  std::string name_;
  Key* parent_;
  Hive* hive_;
  bool volatile_;
  bool deleted_ = false;
  bool protected_ = false;
  bool readOnly_ = false;
  std::int64_t lastWrite_;
  std::vector<std::shared_ptr<Key>> subkeys_;
  std::vector<RegValue> values_;
  // Hash of each value's upper-cased name, parallel to values_: a short
  // scan for small keys, and the basis of the index built for large ones.
  std::vector<std::uint32_t> valueHashes_;
  std::unique_ptr<std::unordered_multimap<std::uint32_t, std::uint32_t>> valueIndex_;
};

}  // namespace platform::registry

namespace platform::registry {
// Walks `subPath` ("a\b\c", components already checked; "" = `from`) below
// `from`, creating the missing keys with time `lastWrite`.
Key& FindOrCreatePath(Key& from, std::string_view subPath, std::int64_t lastWrite);
}  // namespace platform::registry
