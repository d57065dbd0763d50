#include "platform/com/host_modules.h"

#include <dlfcn.h>

#include <vector>

#include "platform/base/cp1252.h"
#include "platform/com/type_lib_info.h"

namespace platform::com {
namespace {

std::unique_ptr<HostModule> TypeLibInfoComponent() {
  auto module = std::make_unique<HostModule>();
  module->name = "typeinfo";
  module->getClassObject = &GetTypeLibInfoClassObject;
  module->canUnloadNow = [] { return S_FALSE; };
  return module;
}

struct ModuleSlot {
  std::string name;
  HostModuleLoader load;
  std::unique_ptr<HostModule> module;
  bool tried = false;
};

std::vector<ModuleSlot>& Modules() {
  static std::vector<ModuleSlot> modules = [] {
    std::vector<ModuleSlot> list;
    list.push_back({"typeinfo", &TypeLibInfoComponent, nullptr, false});
    return list;
  }();
  return modules;
}

}  // namespace

void RegisterHostModule(std::string_view name, HostModuleLoader load) {
  for (const auto& slot : Modules())
    if (EqualsNoCase(slot.name, name)) return;
  Modules().push_back({std::string(name), load, nullptr, false});
}

HostModule* FindHostModule(std::string_view name) {
  for (auto& slot : Modules()) {
    if (!EqualsNoCase(slot.name, name)) continue;
    if (!slot.tried) {
      slot.tried = true;
      slot.module = slot.load();
    }
    return slot.module.get();
  }
  return nullptr;
}

HostModule* HostModuleAt(const void* address) {
  Dl_info info{};
  if (!address || !dladdr(address, &info)) return nullptr;
  for (auto& slot : Modules())
    if (slot.module && slot.module->base && slot.module->base == info.dli_fbase) return slot.module.get();
  return nullptr;
}

}  // namespace platform::com
