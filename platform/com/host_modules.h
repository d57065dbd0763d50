#pragma once
// The host modules that serve stand-in files: our Schedule shared library,
// loaded once from the build or install folder (never from the machine),
// and the layer's own Task Scheduler service.
#include <string>
#include <string_view>

#include "platform/com/unknown.h"

namespace platform::com {

struct HostModule {
  std::string name;
  DllGetClassObjectFn getClassObject = nullptr;
  DllCanUnloadNowFn canUnloadNow = nullptr;
  DllRegisterServerFn registerServer = nullptr;
  DllRegisterServerFn unregisterServer = nullptr;
  const void* base = nullptr;  // load address of a shared library
  std::string activatedFrom;   // emulated path of the last activation
};

// The module `name` (case ignored), loaded on first use; null when the
// layer knows no such module or it cannot be loaded.
HostModule* FindHostModule(std::string_view name);
// The loaded module whose code contains `address`; null if none.
HostModule* HostModuleAt(const void* address);

}  // namespace platform::com
