// Value calls: query, set, delete, enumerate. Data is stored and returned
// as raw bytes, never converted or expanded.
#include <cstring>

#include "platform/registry/advapi32.h"
#include "platform/registry/registry_call.h"
#include "platform/registry/registry_text.h"

using namespace platform;
using namespace platform::registry;

namespace {

// Largest data of one value: the 9x registry's limit, and the NT standard
// format's.
constexpr DWORD kMaxData9x = 16300;
constexpr DWORD kMaxDataNt = 1024 * 1024;
constexpr std::size_t kMaxValueName9x = 255;

std::string_view ValueName(LPCSTR name) { return name ? std::string_view(name) : std::string_view(); }

// Copies the value's data into the caller's buffer per the two-call rules:
// no buffer gives the size; a short buffer gives 234 and the size.
LONG ReturnData(const RegValue& value, DWORD* type, BYTE* data, DWORD* size) {
  if (type) *type = value.type;
  auto needed = static_cast<DWORD>(value.data.size());
  if (data) {
    if (*size < needed) {
      *size = needed;
      return Failed(ERROR_MORE_DATA);
    }
    if (needed) std::memcpy(data, value.data.data(), needed);
  }
  if (size) *size = needed;
  return ERROR_SUCCESS;
}

// Resolves the handle for a change of its key's values.
LONG ResolveForWrite(HKEY hKey, CallTarget& target) {
  if (LONG error = ResolveHandle(hKey, target)) return error;
  if (target.key->isReadOnly() || !HasRights(target, KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  return ERROR_SUCCESS;
}

}  // namespace

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, DWORD*, DWORD* lpType, BYTE* lpData, DWORD* lpcbData) {
  CallTarget target;
  if (LONG error = ResolveHandle(hKey, target)) return Failed(error);
  if (lpData && !lpcbData) return Failed(ERROR_INVALID_PARAMETER);
  if (!HasRights(target, KEY_QUERY_VALUE)) return Failed(ERROR_ACCESS_DENIED);
  RegValue* value = target.key->FindValue(ValueName(lpValueName));
  if (!value) return Failed(ERROR_FILE_NOT_FOUND);
  target.store->RefreshBeforeRead(*target.key, *value);
  return ReturnData(*value, lpType, lpData, lpcbData);
}

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
  CallTarget target;
  if (LONG error = ResolveForWrite(hKey, target)) return Failed(error);
  if (!lpData && cbData) return Failed(ERROR_INVALID_PARAMETER);
  std::string_view name = ValueName(lpValueName);
  bool nt = target.store->machine().isNt();
  if (name.size() > (nt ? kMaxValueName : kMaxValueName9x)) return Failed(ERROR_INVALID_PARAMETER);
  if (!CanStoreName(name)) return Failed(ERROR_INVALID_PARAMETER);
  if (cbData > (nt ? kMaxDataNt : kMaxData9x)) return Failed(ERROR_INVALID_PARAMETER);
  std::string_view data = cbData ? std::string_view(reinterpret_cast<const char*>(lpData), cbData) : std::string_view();
  target.key->SetValue(name, dwType, data);
  target.store->Touch(*target.key);
  return ERROR_SUCCESS;
}

LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
  CallTarget target;
  if (LONG error = ResolveForWrite(hKey, target)) return Failed(error);
  if (!target.key->DeleteValue(ValueName(lpValueName))) return Failed(ERROR_FILE_NOT_FOUND);
  target.store->Touch(*target.key);
  return ERROR_SUCCESS;
}

LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, DWORD* lpcchValueName, DWORD*, DWORD* lpType,
                   BYTE* lpData, DWORD* lpcbData) {
  CallTarget target;
  if (LONG error = ResolveHandle(hKey, target)) return Failed(error);
  if (!lpValueName || !lpcchValueName || (lpData && !lpcbData)) return Failed(ERROR_INVALID_PARAMETER);
  if (!HasRights(target, KEY_QUERY_VALUE)) return Failed(ERROR_ACCESS_DENIED);
  if (dwIndex >= target.key->valueCount()) return Failed(ERROR_NO_MORE_ITEMS);
  RegValue& value = target.key->valueAt(dwIndex);
  if (!CopyName(value.name, lpValueName, *lpcchValueName)) return Failed(ERROR_MORE_DATA);
  *lpcchValueName = static_cast<DWORD>(value.name.size());
  target.store->RefreshBeforeRead(*target.key, value);
  return ReturnData(value, lpType, lpData, lpcbData);
}
