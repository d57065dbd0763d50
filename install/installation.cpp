#include "install/installation.h"

#include <cstdio>
#include <string>

#include "install/program_folder.h"
#include "install/program_modules.h"
#include "install/program_resources.h"
#include "platform/base/machine_error.h"
#include "platform/com/com_runtime.h"
#include "platform/registry/advapi32.h"

namespace install {
namespace {

constexpr const char* kAppPathsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\tsy.exe";

LONG SetString(HKEY key, const char* name, const std::string& value) {
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1));
}

// Where Windows finds the program by name ("Start, Run: tsy").
void WriteAppPaths() {
  HKEY key = 0;
  LONG rc = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (rc == ERROR_SUCCESS) {
    rc = SetString(key, nullptr, ProgramImage());
    if (rc == ERROR_SUCCESS) rc = SetString(key, "Path", std::string(kProgramFolder));
    RegCloseKey(key);
  }
  if (rc != ERROR_SUCCESS)
    throw platform::MachineError(std::string(kAppPathsKey) + ": cannot be written (error " + std::to_string(rc) + ")");
}

void RegisterSchedule() {
  const std::string library = ProgramFile("Schedule.dll");
  if (HRESULT hr = platform::com::RegisterServer(library); FAILED(hr)) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
    throw platform::MachineError(library + ": registration failed (" + code + ")");
  }
}

void Install(platform::Machine& machine, const InstallOptions& options) {
  const auto& folder = machine.folder();
  platform::PutBuilderFile(folder, ProgramImage(), platform::StandInFile({{"version", "1.0.0.0"}, {"module", "tsyT"}}, 4096));
  platform::PutBuilderFile(folder, ProgramFile("Schedule.dll"),
                           platform::StandInFile({{"version", "1.1.0.16"}, {"module", "Schedule"}}, 2048));
  InstallProgramResources(folder, ProgramResourcesFolder());
  WriteAppPaths();
  if (!options.registerSchedule) return;
  RegisterProgramModules();
  RegisterSchedule();
}

}  // namespace

platform::MachineBuilder& InstallProgram(platform::MachineBuilder& builder, InstallOptions options) {
  return builder.install([options](platform::Machine& machine) { Install(machine, options); });
}

}  // namespace install
