#include "install/program_modules.h"

#include <dlfcn.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "platform/com/automation_types.h"
#include "platform/com/com_runtime.h"
#include "platform/com/error_info.h"
#include "platform/com/host_modules.h"
#include "platform/com/variant_time.h"
#include "platform/registry/advapi32.h"
#include "platform/runtime/dates.h"
#include "platform/taskscheduler/task_scheduler_module.h"

// What the Schedule library imports from the process, as a Windows DLL
// imports from ole32, oleaut32, kernel32 and advapi32. Naming each entry
// here keeps it linked into every program that can load the library; the
// programs export their symbols so the loader binds the imports to them.
extern const void* const kScheduleLibraryImports[];
const void* const kScheduleLibraryImports[] = {
    reinterpret_cast<const void*>(&CoCreateInstance),
    reinterpret_cast<const void*>(&CoTaskMemAlloc),
    reinterpret_cast<const void*>(&CoTaskMemFree),
    reinterpret_cast<const void*>(&SysAllocString),
    reinterpret_cast<const void*>(&SysAllocStringLen),
    reinterpret_cast<const void*>(&SysFreeString),
    reinterpret_cast<const void*>(&SysStringLen),
    reinterpret_cast<const void*>(&lstrlenW),
    reinterpret_cast<const void*>(&RtlMoveMemory),
    reinterpret_cast<const void*>(&VariantInit),
    reinterpret_cast<const void*>(&VariantClear),
    reinterpret_cast<const void*>(&VariantCopy),
    reinterpret_cast<const void*>(&VariantChangeType),
    reinterpret_cast<const void*>(&SystemTimeToVariantTime),
    reinterpret_cast<const void*>(&VariantTimeToSystemTime),
    reinterpret_cast<const void*>(&platform::forms::TryDateSerial),
    reinterpret_cast<const void*>(&SetErrorInfoText),
    reinterpret_cast<const void*>(&GetModuleHandleExA),
    reinterpret_cast<const void*>(&GetModuleFileNameA),
    reinterpret_cast<const void*>(&RegCreateKeyExA),
    reinterpret_cast<const void*>(&RegSetValueExA),
    reinterpret_cast<const void*>(&RegOpenKeyExA),
    reinterpret_cast<const void*>(&RegDeleteKeyA),
    reinterpret_cast<const void*>(&RegCloseKey),
    nullptr,
};

namespace install {
namespace {

using platform::com::HostModule;

#ifndef TESSALY_SCHEDULE_MODULE_PATH
#define TESSALY_SCHEDULE_MODULE_PATH ""
#endif
constexpr const char* kScheduleFileName = "libSchedule.so";

// Beside the running program (an installation), else where the build put it.
std::vector<std::filesystem::path> ScheduleCandidates() {
  std::vector<std::filesystem::path> paths;
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) paths.push_back(self.parent_path() / kScheduleFileName);
  if (*TESSALY_SCHEDULE_MODULE_PATH) paths.emplace_back(TESSALY_SCHEDULE_MODULE_PATH);
  return paths;
}

std::unique_ptr<HostModule> LoadScheduleLibrary() {
  for (const auto& path : ScheduleCandidates()) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) continue;
    // Bound at once: a missing import fails here, not in the middle of a call.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) continue;
    auto module = std::make_unique<HostModule>();
    module->name = "schedule";
    module->getClassObject = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
    module->canUnloadNow = reinterpret_cast<DllCanUnloadNowFn>(dlsym(handle, "DllCanUnloadNow"));
    module->registerServer = reinterpret_cast<DllRegisterServerFn>(dlsym(handle, "DllRegisterServer"));
    module->unregisterServer = reinterpret_cast<DllRegisterServerFn>(dlsym(handle, "DllUnregisterServer"));
    Dl_info info{};
    if (!module->getClassObject || !module->canUnloadNow || !module->registerServer || !module->unregisterServer ||
        !dladdr(reinterpret_cast<const void*>(module->getClassObject), &info))
      return nullptr;  // never unloaded: nothing is ever unloaded
    module->base = info.dli_fbase;
    return module;
  }
  return nullptr;
}

}  // namespace

void RegisterProgramModules() {
  platform::com::RegisterHostModule("schedule", &LoadScheduleLibrary);
  platform::taskscheduler::RegisterTaskSchedulerModule();
}

}  // namespace install
