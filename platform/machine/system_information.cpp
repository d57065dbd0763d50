#include "platform/machine/system_information.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/machine/host_facts.h"

namespace {

using platform::CurrentMachine;
using platform::HostFacts;
using platform::Machine;

constexpr std::uint64_t kMaxReportedBytes = 0x7FFFFFFF;
constexpr std::int64_t kFileTimePerSecond = 10000000;
constexpr std::int64_t kFileTimePerMs = 10000;
constexpr DWORD kTotalVirtual = 0x7FFE0000;
constexpr DWORD kPageSize = 4096;

template <typename T>
void Put(void* buffer, ULONG offset, T value) {
  std::memcpy(static_cast<char*>(buffer) + offset, &value, sizeof value);
}

DWORD Clamped(std::uint64_t bytes) { return static_cast<DWORD>(std::min(bytes, kMaxReportedBytes)); }

// The processor count as Windows' signed byte: at least 1, at most 127.
std::int8_t ReportedProcessors(int processors) { return static_cast<std::int8_t>(std::clamp(processors, 1, 127)); }

NTSTATUS FillBasic(HostFacts& facts, void* buffer) {
  auto times = facts.Processor();
  if (!times) return STATUS_UNSUCCESSFUL;
  auto memory = facts.Memory();
  std::int8_t processors = ReportedProcessors(times->processors);
  DWORD pages = memory ? static_cast<DWORD>(std::min<std::uint64_t>(memory->totalPhys / kPageSize, 0xFFFFFFFF)) : 0;
  Put<DWORD>(buffer, 4, 156250);  // timer resolution, 100-ns units
  Put<DWORD>(buffer, 8, kPageSize);
  Put<DWORD>(buffer, 12, pages);
  Put<DWORD>(buffer, 16, 1);
  Put<DWORD>(buffer, 20, pages);
  Put<DWORD>(buffer, 24, 65536);
  Put<DWORD>(buffer, 28, 0x10000);
  Put<DWORD>(buffer, 32, 0x7FFEFFFF);
  Put<DWORD>(buffer, 36, processors >= 32 ? 0xFFFFFFFFu : (1u << processors) - 1);
  Put<std::int8_t>(buffer, kNumberOfProcessorsOffset, processors);
  return STATUS_SUCCESS;
}

NTSTATUS FillPerformance(HostFacts& facts, void* buffer) {
  auto times = facts.Processor();
  if (!times) return STATUS_UNSUCCESSFUL;
  std::uint32_t hz = times->ticksPerSecond ? times->ticksPerSecond : 100;
  Put<std::int64_t>(buffer, kIdleProcessTimeOffset,
                    static_cast<std::int64_t>(times->idleTicks * (kFileTimePerSecond / hz)));
  return STATUS_SUCCESS;
}

// The current time is cut to the host's clock tick, so that it advances in
// the same steps as the idle time.
NTSTATUS FillTimeOfDay(Machine& machine, HostFacts& facts, void* buffer) {
  std::int64_t tick = kFileTimePerSecond / facts.TicksPerSecond();
  std::int64_t now = machine.clock().NowUtc();
  std::int64_t current = now - now % tick;
  std::int64_t boot = now - static_cast<std::int64_t>(machine.clock().TickMs()) * kFileTimePerMs;
  Put<std::int64_t>(buffer, 0, boot);
  Put<std::int64_t>(buffer, kCurrentTimeOffset, current);
  Put<std::int64_t>(buffer, 16, -std::int64_t{machine.localOffsetMinutes()} * 60 * kFileTimePerSecond);
  return STATUS_SUCCESS;
}

struct InformationClass {
  ULONG number;
  ULONG length;
};

constexpr InformationClass kClasses[] = {
    {SystemBasicInformation, kSystemBasicInformationLength},
    {SystemPerformanceInformation, kSystemPerformanceInformationLength},
    {SystemTimeOfDayInformation, kSystemTimeOfDayInformationLength},
};

}  // namespace

NTSTATUS NtQuerySystemInformation(ULONG informationClass, void* buffer, ULONG length, ULONG* returnLength) {
  Machine* machine = CurrentMachine();
  if (!machine || !machine->isNt()) return STATUS_NOT_IMPLEMENTED;
  const InformationClass* found = nullptr;
  for (const auto& row : kClasses)
    if (row.number == informationClass) found = &row;
  if (!found) return STATUS_INVALID_INFO_CLASS;
  if (returnLength) *returnLength = found->length;
  if (length != found->length) return STATUS_INFO_LENGTH_MISMATCH;
  if (!buffer) return STATUS_ACCESS_VIOLATION;
  std::memset(buffer, 0, length);
  HostFacts& facts = machine->area<HostFacts>();
  switch (informationClass) {
    case SystemBasicInformation: return FillBasic(facts, buffer);
    case SystemPerformanceInformation: return FillPerformance(facts, buffer);
    default: return FillTimeOfDay(*machine, facts, buffer);
  }
}

void GlobalMemoryStatus(MEMORYSTATUS* status) {
  if (!status) return;
  *status = MEMORYSTATUS{};
  status->dwLength = sizeof(MEMORYSTATUS);
  Machine* machine = CurrentMachine();
  if (!machine) return;
  auto figures = machine->area<HostFacts>().Memory();
  if (!figures) return;
  std::uint64_t total = figures->totalPhys;
  std::uint64_t avail = std::min(figures->availPhys, total);
  status->dwMemoryLoad = total ? static_cast<DWORD>((total - avail) * 100 / total) : 0;
  status->dwTotalPhys = Clamped(total);
  status->dwAvailPhys = Clamped(avail);
  status->dwTotalPageFile = Clamped(total + figures->totalSwap);
  status->dwAvailPageFile = Clamped(avail + std::min(figures->freeSwap, figures->totalSwap));
  status->dwTotalVirtual = kTotalVirtual;
  status->dwAvailVirtual = kTotalVirtual - static_cast<DWORD>(std::min<std::uint64_t>(figures->residentBytes, kTotalVirtual));
}
