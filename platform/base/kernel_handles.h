#pragma once
// kernel32 handles: one table for every kind of kernel object the layer hands
// out (files, find searches, tokens), so CloseHandle works on all of them.
#include <memory>

#include "platform/base/wintypes.h"

namespace platform {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

// Stores the object and returns its new handle (counter-based, deterministic).
HANDLE RegisterKernelObject(std::unique_ptr<KernelObject> object);
// The object behind a handle, or null when the handle is not open or not a T.
KernelObject* LookupKernelObject(HANDLE handle);
template <typename T>
T* LookupKernelObjectAs(HANDLE handle) {
  return dynamic_cast<T*>(LookupKernelObject(handle));
}
// Removes and destroys the object; false when the handle is not open.
bool ReleaseKernelObject(HANDLE handle);
// Forgets every handle (a new process).
void ResetKernelObjects();

}  // namespace platform

// TRUE, or FALSE with 6 for a handle that is not open.
BOOL CloseHandle(HANDLE handle);
// The current-process pseudo-handle, -1.
HANDLE GetCurrentProcess();
