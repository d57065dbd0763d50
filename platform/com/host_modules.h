#pragma once
// The host modules that serve stand-in files: the layer's own components,
// and the modules registered from above it (a shared library the program
// loads, a service the machine offers). A stand-in names its module; the
// module is loaded on first use, once per process, never from the machine.
#include <memory>
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

// Loads a module; null when it cannot be loaded.
using HostModuleLoader = std::unique_ptr<HostModule> (*)();

// Makes `name` (case ignored) a module the layer serves, loaded by `load`
// on first use. A name already known keeps its loader, so registering
// again is harmless.
void RegisterHostModule(std::string_view name, HostModuleLoader load);

// The module `name` (case ignored), loaded on first use; null when the
// layer knows no such module or it cannot be loaded.
HostModule* FindHostModule(std::string_view name);
// The loaded module whose code contains `address`; null if none.
HostModule* HostModuleAt(const void* address);

}  // namespace platform::com
