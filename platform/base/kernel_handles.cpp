#include "platform/base/kernel_handles.h"

#include <cstdint>
#include <map>

#include "platform/base/last_error.h"

namespace platform {
namespace {
struct HandleTable {
  std::map<std::uintptr_t, std::unique_ptr<KernelObject>> objects;
  std::uintptr_t next = 0x100;
};

HandleTable& Table() {
  static HandleTable table;
  return table;
}
}  // namespace

HANDLE RegisterKernelObject(std::unique_ptr<KernelObject> object) {
  auto& table = Table();
  std::uintptr_t value = table.next;
  table.next += 4;
  table.objects.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

KernelObject* LookupKernelObject(HANDLE handle) {
  auto& objects = Table().objects;
  auto it = objects.find(reinterpret_cast<std::uintptr_t>(handle));
  return it == objects.end() ? nullptr : it->second.get();
}

bool ReleaseKernelObject(HANDLE handle) {
  auto& objects = Table().objects;
  auto it = objects.find(reinterpret_cast<std::uintptr_t>(handle));
  if (it == objects.end()) return false;
  auto object = std::move(it->second);
  objects.erase(it);
  return true;
}

void ResetKernelObjects() {
  Table().objects.clear();
  Table().next = 0x100;
}

}  // namespace platform

BOOL CloseHandle(HANDLE handle) {
  if (!platform::ReleaseKernelObject(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

HANDLE GetCurrentProcess() { return INVALID_HANDLE_VALUE; }
