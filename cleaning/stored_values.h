#pragma once
// Whole registry values (name, type, raw bytes) for moving data between a
// browser key and its backup without losing anything: no length cap, no
// cut at a NUL, no change of type.
#include <string>
#include <vector>

#include "platform/base/wintypes.h"

namespace cleaning {

struct StoredValue {
  std::string name;
  DWORD type = 0;
  std::string data;
  bool operator==(const StoredValue&) const = default;
};

// Every value of root\path in enumeration order. A missing key gives none;
// false when the key exists but could not be read whole.
bool ReadStoredValues(HKEY root, const std::string& path, std::vector<StoredValue>& values);
// Writes each value into root\path (created when missing) and reads it back;
// false at the first value that did not arrive intact.
bool WriteStoredValues(HKEY root, const std::string& path, const std::vector<StoredValue>& values);
// Removes the key; when the key cannot go (subkeys on NT), removes the
// listed values from it. True when none of them is left.
bool RemoveStoredValues(HKEY root, const std::string& path, const std::vector<StoredValue>& values);

}  // namespace cleaning
