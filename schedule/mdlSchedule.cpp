#include "schedule/mdlSchedule.h"

#include "platform/base/date_math.h"
#include "platform/com/variant_time.h"

namespace schedule {

using platform::CivilFromDays;
using platform::DaysFromCivilRolling;
using platform::kDateZero;

BSTR TakeWideString(LPWSTR text) {
  int length = lstrlenW(text);
  BSTR copy = SysAllocStringLen(nullptr, static_cast<UINT>(length));
  if (copy && length) RtlMoveMemory(copy, text, static_cast<std::size_t>(length) * 2);
  CoTaskMemFree(text);
  return copy;
}

std::optional<DATE> DateSerial(int year, int month, int day) {
  if (year >= 0 && year <= 29) year += 2000;
  else if (year >= 30 && year <= 99) year += 1900;
  std::int64_t days = DaysFromCivilRolling(year, month, day);
  std::int64_t resultYear = CivilFromDays(days).year;
  if (resultYear < 100 || resultYear > 9999) return std::nullopt;
  return static_cast<DATE>(days - kDateZero);
}

DATE TimeSerial(int hour, int minute) { return (hour * 3600.0 + minute * 60.0) / 86400.0; }

std::optional<DateParts> PartsOf(DATE date) {
  // The conversion every Date field goes through, imported like the rest.
  SYSTEMTIME time{};
  if (!VariantTimeToSystemTime(date, &time)) return std::nullopt;
  return DateParts{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute};
}

}  // namespace schedule
