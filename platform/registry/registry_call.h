#pragma once
// What every advapi32 registry call does first: find the machine's registry,
// resolve the handle, check rights and split the sub-key path.
#include <string_view>
#include <vector>

#include "platform/base/wintypes.h"
#include "platform/registry/registry_store.h"

namespace platform::registry {

// The key a call acts on through its handle.
struct CallTarget {
  RegistryStore* store = nullptr;
  Key* key = nullptr;
  REGSAM rights = 0;
};

// Sets the last error to a failure code and returns it.
LONG Failed(LONG code);

// 0, or 6 (no machine, unknown handle, root the family lacks), 1018
// (deleted key).
LONG ResolveHandle(HKEY handle, CallTarget& target);

// Whether the handle carries every right in `needed` (always on 9x).
bool HasRights(const CallTarget& target, REGSAM needed);

// Splits a sub-key argument: NULL or "" is the key itself; one trailing "\"
// is ignored; a leading "\", an empty component or one longer than 255
// characters gives 161.
LONG SplitSubPath(LPCSTR subPath, std::vector<std::string_view>& parts);

// Follows `parts` below `from`; 2 when a key on the way is missing.
LONG WalkPath(Key& from, const std::vector<std::string_view>& parts, Key*& found);

// Whether a key or value name can be written to a hive file: no line break.
inline bool CanStoreName(std::string_view name) { return name.find_first_of("\r\n") == std::string_view::npos; }

// Copies `text` and its NUL into `buffer` of `size` characters when it fits.
bool CopyName(std::string_view text, char* buffer, DWORD size);

FILETIME ToFileTime(std::int64_t time);

}  // namespace platform::registry
