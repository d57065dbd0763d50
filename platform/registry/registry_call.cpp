#include "platform/registry/registry_call.h"

#include <cstring>

#include "platform/base/last_error.h"
#include "platform/registry/registry_text.h"

namespace platform::registry {
namespace {

RegistryStore* CurrentStore() {
  Machine* machine = CurrentMachine();
  if (!machine) return nullptr;
  try {
    return &machine->area<RegistryStore>();
  } catch (...) {
    // A hive that cannot be loaded: every call fails as on an absent machine.
    return nullptr;
  }
}

}  // namespace

LONG Failed(LONG code) {
  SetLastError(static_cast<DWORD>(code));
  return code;
}

LONG ResolveHandle(HKEY handle, CallTarget& target) {
  target.store = CurrentStore();
  if (!target.store) return ERROR_INVALID_HANDLE;
  RegistryStore& store = *target.store;
  if (RegistryStore::IsPredefined(handle)) {
    std::shared_ptr<Key> key = store.PredefinedKey(handle);
    if (!key) return ERROR_INVALID_HANDLE;
    target.key = key.get();
    // A root handle is opened with the most its key allows.
    target.rights = store.checksRights() ? RightsFor(store.GrantFor(*key), kMaximumAllowed) : ~REGSAM{0};
    return ERROR_SUCCESS;
  }
  const OpenKey* open = store.FindHandle(handle);
  if (!open) return ERROR_INVALID_HANDLE;
  if (open->key->isDeleted()) return ERROR_KEY_DELETED;
  target.key = open->key.get();
  target.rights = open->rights;
  return ERROR_SUCCESS;
}

bool HasRights(const CallTarget& target, REGSAM needed) {
  return !target.store->checksRights() || (target.rights & needed) == needed;
}

LONG SplitSubPath(LPCSTR subPath, std::vector<std::string_view>& parts) {
  parts.clear();
  if (!subPath) return ERROR_SUCCESS;
  std::string_view path(subPath);
  if (path.empty()) return ERROR_SUCCESS;
  if (path.front() == '\\') return ERROR_BAD_PATHNAME;
  if (path.back() == '\\') path.remove_suffix(1);
  std::size_t start = 0;
  while (true) {
    std::size_t slash = path.find('\\', start);
    std::size_t end = slash == std::string_view::npos ? path.size() : slash;
    std::string_view part = path.substr(start, end - start);
    if (part.empty() || part.size() > kMaxKeyName) return ERROR_BAD_PATHNAME;
    parts.push_back(part);
    if (slash == std::string_view::npos) return ERROR_SUCCESS;
    start = slash + 1;
  }
}

LONG WalkPath(Key& from, const std::vector<std::string_view>& parts, Key*& found) {
  Key* key = &from;
  for (std::string_view part : parts) {
    key = key->FindSubkey(part);
    if (!key) return ERROR_FILE_NOT_FOUND;
  }
  found = key;
  return ERROR_SUCCESS;
}

bool CopyName(std::string_view text, char* buffer, DWORD size) {
  if (text.size() + 1 > size) return false;
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  return true;
}

FILETIME ToFileTime(std::int64_t time) {
  auto bits = static_cast<std::uint64_t>(time);
  return FILETIME{static_cast<DWORD>(bits & 0xFFFFFFFFu), static_cast<DWORD>(bits >> 32)};
}

}  // namespace platform::registry
