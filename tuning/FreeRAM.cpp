#include "tuning/FreeRAM.h"

#include "platform/forms/strings.h"
#include "platform/machine/host_facts.h"
#include "platform/machine/sysinfo.h"
#include "platform/machine/system_information.h"
#include "platform/shell/shell32.h"
#include "tuning/message_turns.h"

namespace {

constexpr int kYieldsAroundFree = 5;
constexpr int kShowMaximized = 3;  // SW_SHOWMAXIMIZED
constexpr int kShowRestored = 9;   // SW_RESTORE

MEMORYSTATUS Status() {
  MEMORYSTATUS status{};
  GlobalMemoryStatus(&status);
  return status;
}

std::int32_t AsLong(DWORD field) { return static_cast<std::int32_t>(field); }

struct ExitChoice {
  const char* text;
  UINT flags;
};

constexpr ExitChoice kExitChoices[] = {{"logoff", 0}, {"shutdown", 1}, {"reboot", 2}};

}  // namespace

std::int32_t FreeRAM::GetMemoryLoad() const { return AsLong(Status().dwMemoryLoad); }
std::int32_t FreeRAM::GetTotalPhysical() const { return AsLong(Status().dwTotalPhys); }
std::int32_t FreeRAM::GetFreePhysical() const { return AsLong(Status().dwAvailPhys); }
std::int32_t FreeRAM::GetTotalVirtual() const { return AsLong(Status().dwTotalVirtual); }
std::int32_t FreeRAM::GetFreeVirtual() const { return AsLong(Status().dwAvailVirtual); }

std::int64_t FreeRAM::FreeUpMemory(std::int64_t characters) {
  YieldTurns(kYieldsAroundFree);
  if (characters > 0)
    if (platform::Machine* machine = platform::CurrentMachine())
      machine->area<platform::HostFacts>().TouchAndRelease(static_cast<std::uint64_t>(characters) * 2);
  YieldTurns(kYieldsAroundFree);
  return characters;
}

BOOL FreeRAM::ExitWindows(const std::string& how) {
  std::string lower = platform::forms::LCase(how);
  for (const auto& choice : kExitChoices)
    if (lower == choice.text) return ExitWindowsEx(choice.flags, 0);
  return 0;
}

void FreeRAM::GoToURL(const std::string& url) { ShellExecuteA(0, "open", url.c_str(), "", "", kShowMaximized); }

void FreeRAM::eMail(const std::string& address) {
  ShellExecuteA(0, nullptr, ("mailto:" + address).c_str(), "", "", kShowRestored);
}
