#include "platform/files/file_dates.h"

#include "platform/machine/machine.h"

namespace platform::files {

forms::Date LocalDateOfFileTime(const FILETIME& utc) {
  // FILETIME of 1899-12-30 00:00, day 0 of a Date.
  constexpr std::int64_t kDateZero = 94353120000000000LL, kUnitsPerSecond = 10000000;
  Machine* machine = CurrentMachine();
  std::int64_t offset = machine ? std::int64_t{machine->localOffsetMinutes()} * 60 * kUnitsPerSecond : 0;
  auto value = static_cast<std::int64_t>((std::uint64_t{utc.dwHighDateTime} << 32) | utc.dwLowDateTime);
  std::int64_t seconds = (value + offset - kDateZero) / kUnitsPerSecond;
  std::int64_t days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
  return static_cast<double>(days) + static_cast<double>(seconds - days * 86400) / 86400.0;
}

}  // namespace platform::files
