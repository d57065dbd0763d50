// Key calls: open, create, close, delete, enumerate, information, connect, flush.
#include <algorithm>
#include <cstring>

#include "platform/base/cp1252.h"
#include "platform/registry/advapi32.h"
#include "platform/registry/registry_call.h"
#include "platform/registry/registry_text.h"

using namespace platform;
using namespace platform::registry;

namespace {

// The rights a new handle on `key` carries, or 5 when its grant does not
// cover `sam`.
LONG RightsToOpen(const RegistryStore& store, const Key& key, REGSAM sam, REGSAM& rights) {
  rights = ~REGSAM{0};
  if (!store.checksRights()) return ERROR_SUCCESS;
  Grant grant = store.GrantFor(key);
  if (!GrantCovers(grant, sam)) return ERROR_ACCESS_DENIED;
  rights = RightsFor(grant, sam);
  return ERROR_SUCCESS;
}

// Opens `subPath` below the handle: with `sam`, or with the key's whole
// grant when `sam` asks for the maximum.
LONG OpenSubKey(HKEY hKey, LPCSTR subPath, REGSAM sam, PHKEY result) {
  if (!result) return Failed(ERROR_INVALID_PARAMETER);
  *result = 0;
  CallTarget target;
  if (LONG error = ResolveHandle(hKey, target)) return Failed(error);
  std::vector<std::string_view> parts;
  if (LONG error = SplitSubPath(subPath, parts)) return Failed(error);
  Key* key = nullptr;
  if (LONG error = WalkPath(*target.key, parts, key)) return Failed(error);
  REGSAM rights = 0;
  if (LONG error = RightsToOpen(*target.store, *key, sam, rights)) return Failed(error);
  *result = target.store->AddHandle(key->shared_from_this(), rights);
  return ERROR_SUCCESS;
}

// Checks that every key from parts[first] on may be created below `parent`:
// each new key's parent needs a full grant, and the new key itself must
// allow `sam`.
LONG CheckCreation(const CallTarget& target, Key& parent, const std::vector<std::string_view>& parts, std::size_t first,
                   REGSAM sam) {
  RegistryStore& store = *target.store;
  if (&parent == target.key && !HasRights(target, KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
  if (!store.checksRights()) return ERROR_SUCCESS;
  std::string path = AccessRules::RulePath(parent);
  if (store.GrantForPath(path) != Grant::Full) return ERROR_ACCESS_DENIED;
  for (std::size_t i = first; i < parts.size(); ++i) {
    path += '\\';
    path += ToUpper(parts[i]);
    Grant grant = store.GrantForPath(path);
    bool last = i + 1 == parts.size();
    if (last ? !GrantCovers(grant, sam) : grant != Grant::Full) return ERROR_ACCESS_DENIED;
  }
  return ERROR_SUCCESS;
}

}  // namespace

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
  return OpenSubKey(hKey, lpSubKey, samDesired, phkResult);
}

LONG RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
  return OpenSubKey(hKey, lpSubKey, MAXIMUM_ALLOWED, phkResult);
}

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPCSTR, DWORD dwOptions, REGSAM samDesired, const void*,
                     PHKEY phkResult, DWORD* lpdwDisposition) {
  if (!phkResult) return Failed(ERROR_INVALID_PARAMETER);
  *phkResult = 0;
  CallTarget target;
  if (LONG error = ResolveHandle(hKey, target)) return Failed(error);
  std::vector<std::string_view> parts;
  if (LONG error = SplitSubPath(lpSubKey, parts)) return Failed(error);
  if (target.key->isReadOnly()) return Failed(ERROR_ACCESS_DENIED);
  RegistryStore& store = *target.store;

  Key* key = target.key;
  std::size_t existing = 0;
  while (existing < parts.size()) {
    Key* child = key->FindSubkey(parts[existing]);
    if (!child) break;
    key = child;
    ++existing;
  }

  REGSAM rights = ~REGSAM{0};
  DWORD disposition = REG_OPENED_EXISTING_KEY;
  if (existing == parts.size()) {
    if (LONG error = RightsToOpen(store, *key, samDesired, rights)) return Failed(error);
  } else {
    // A key name with a line break could not be written to the hive file.
    for (std::size_t i = existing; i < parts.size(); ++i)
      if (!CanStoreName(parts[i])) return Failed(ERROR_BAD_PATHNAME);
    if (key->depth() + (parts.size() - existing) > kMaxKeyDepth) return Failed(ERROR_BAD_PATHNAME);
    if (LONG error = CheckCreation(target, *key, parts, existing, samDesired)) return Failed(error);
    bool isVolatile = (dwOptions & REG_OPTION_VOLATILE) != 0;
    for (std::size_t i = existing; i < parts.size(); ++i) {
      Key& parent = *key;
      key = &parent.AddSubkey(parts[i], isVolatile, store.Now());
      store.Touch(parent);
      store.Touch(*key);
    }
    if (store.checksRights()) rights = RightsFor(store.GrantFor(*key), samDesired);
    disposition = REG_CREATED_NEW_KEY;
  }
  *phkResult = store.AddHandle(key->shared_from_this(), rights);
  if (lpdwDisposition) *lpdwDisposition = disposition;
  return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY hKey) {
  CallTarget target;
  LONG error = ResolveHandle(hKey, target);
  if (error == ERROR_INVALID_HANDLE) return Failed(error);
  // Roots stay open; a handle to a deleted key still closes.
  if (RegistryStore::IsPredefined(hKey)) return ERROR_SUCCESS;
  target.store->CloseHandle(hKey);
  return ERROR_SUCCESS;
}

LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
  CallTarget target;
  if (LONG error = ResolveHandle(hKey, target)) return Failed(error);
  std::vector<std::string_view> parts;
  if (LONG error = SplitSubPath(lpSubKey, parts)) return Failed(error);
  Key* key = nullptr;
  if (LONG error = WalkPath(*target.key, parts, key)) return Failed(error);
  RegistryStore& store = *target.store;
  if (key->isProtected() || key->isReadOnly() || !key->parent()) return Failed(ERROR_ACCESS_DENIED);
  if (store.checksRights() && store.GrantFor(*key) != Grant::Full) return Failed(ERROR_ACCESS_DENIED);
  if (store.machine().isNt()) {
    if (key->subkeyCount() > 0) return Failed(ERROR_ACCESS_DENIED);
  } else if (key->HasProtectedInSubtree()) {
    return Failed(ERROR_ACCESS_DENIED);
  }
  Key& parent = *key->parent();
  parent.RemoveSubkey(*key);
  store.Touch(parent);
  return ERROR_SUCCESS;
}

LONG RegEnumKeyA(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName) {
  CallTarget target;
  if (LONG error = ResolveHandle(hKey, target)) return Failed(error);
  if (!lpName) return Failed(ERROR_INVALID_PARAMETER);
  if (!HasRights(target, KEY_ENUMERATE_SUB_KEYS)) return Failed(ERROR_ACCESS_DENIED);
  if (dwIndex >= target.key->subkeyCount()) return Failed(ERROR_NO_MORE_ITEMS);
  if (!CopyName(target.key->subkeyAt(dwIndex).name(), lpName, cchName)) return Failed(ERROR_MORE_DATA);
  return ERROR_SUCCESS;
}

LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD* lpcchName, DWORD*, LPSTR lpClass,
                   DWORD* lpcchClass, FILETIME* lpftLastWriteTime) {
  CallTarget target;
  if (LONG error = ResolveHandle(hKey, target)) return Failed(error);
  if (!lpName || !lpcchName || (lpClass && !lpcchClass)) return Failed(ERROR_INVALID_PARAMETER);
  if (!HasRights(target, KEY_ENUMERATE_SUB_KEYS)) return Failed(ERROR_ACCESS_DENIED);
  if (dwIndex >= target.key->subkeyCount()) return Failed(ERROR_NO_MORE_ITEMS);
  const Key& child = target.key->subkeyAt(dwIndex);
  // Keys have no class: it is "", which needs room for its NUL.
  if (lpClass && *lpcchClass < 1) return Failed(ERROR_MORE_DATA);
  if (!CopyName(child.name(), lpName, *lpcchName)) return Failed(ERROR_MORE_DATA);
  *lpcchName = static_cast<DWORD>(child.name().size());
  if (lpClass) lpClass[0] = '\0';
  if (lpcchClass) *lpcchClass = 0;
  if (lpftLastWriteTime) *lpftLastWriteTime = ToFileTime(child.lastWrite());
  return ERROR_SUCCESS;
}

LONG RegQueryInfoKeyA(HKEY hKey, LPSTR lpClass, DWORD* lpcchClass, DWORD*, DWORD* lpcSubKeys, DWORD* lpcbMaxSubKeyLen,
                      DWORD* lpcbMaxClassLen, DWORD* lpcValues, DWORD* lpcbMaxValueNameLen, DWORD* lpcbMaxValueLen,
                      DWORD* lpcbSecurityDescriptor, FILETIME* lpftLastWriteTime) {
  CallTarget target;
  if (LONG error = ResolveHandle(hKey, target)) return Failed(error);
  if (lpClass && !lpcchClass) return Failed(ERROR_INVALID_PARAMETER);
  if (!HasRights(target, KEY_QUERY_VALUE)) return Failed(ERROR_ACCESS_DENIED);
  if (lpClass && *lpcchClass < 1) return Failed(ERROR_MORE_DATA);
  const Key& key = *target.key;
  std::size_t maxSubkey = 0;
  for (std::size_t i = 0; i < key.subkeyCount(); ++i) maxSubkey = std::max(maxSubkey, key.subkeyAt(i).name().size());
  std::size_t maxName = 0;
  std::size_t maxData = 0;
  for (std::size_t i = 0; i < key.valueCount(); ++i) {
    maxName = std::max(maxName, key.valueAt(i).name.size());
    maxData = std::max(maxData, key.valueAt(i).data.size());
  }
  if (lpClass) lpClass[0] = '\0';
  if (lpcchClass) *lpcchClass = 0;
  if (lpcSubKeys) *lpcSubKeys = static_cast<DWORD>(key.subkeyCount());
  if (lpcbMaxSubKeyLen) *lpcbMaxSubKeyLen = static_cast<DWORD>(maxSubkey);
  if (lpcbMaxClassLen) *lpcbMaxClassLen = 0;
  if (lpcValues) *lpcValues = static_cast<DWORD>(key.valueCount());
  if (lpcbMaxValueNameLen) *lpcbMaxValueNameLen = static_cast<DWORD>(maxName);
  if (lpcbMaxValueLen) *lpcbMaxValueLen = static_cast<DWORD>(maxData);
  if (lpcbSecurityDescriptor) *lpcbSecurityDescriptor = 0;
  if (lpftLastWriteTime) *lpftLastWriteTime = ToFileTime(key.lastWrite());
  return ERROR_SUCCESS;
}

LONG RegConnectRegistryA(LPCSTR lpMachineName, HKEY hKey, PHKEY phkResult) {
  if (!phkResult) return Failed(ERROR_INVALID_PARAMETER);
  *phkResult = 0;
  CallTarget target;
  LONG error = ResolveHandle(hKey, target);
  if (error == ERROR_INVALID_HANDLE && !target.store) return Failed(error);
  std::string_view name = lpMachineName ? lpMachineName : "";
  if (!name.empty()) {
    // There is no network registry: only this computer's own name connects.
    const std::string& computer = target.store->machine().description().computerName;
    if (name.size() < 2 || name.substr(0, 2) != "\\\\" || !EqualsNoCase(name.substr(2), computer))
      return Failed(ERROR_BAD_NETPATH);
  }
  if (error || !RegistryStore::IsPredefined(hKey)) return Failed(ERROR_INVALID_HANDLE);
  *phkResult = hKey;
  return ERROR_SUCCESS;
}

LONG RegFlushKey(HKEY hKey) {
  CallTarget target;
  if (LONG error = ResolveHandle(hKey, target)) return Failed(error);
  try {
    target.store->Flush();
  } catch (...) {
    return Failed(ERROR_ACCESS_DENIED);
  }
  return ERROR_SUCCESS;
}
