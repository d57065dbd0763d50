#include "schedule/mdlSchedule.h"

#include "platform/com/variant_time.h"

namespace schedule {

BSTR TakeWideString(LPWSTR text) {
  int length = lstrlenW(text);
  BSTR copy = SysAllocStringLen(nullptr, static_cast<UINT>(length));
  if (copy && length) RtlMoveMemory(copy, text, static_cast<std::size_t>(length) * 2);
  CoTaskMemFree(text);
  return copy;
}

DATE TimeSerial(int hour, int minute) { return (hour * 3600.0 + minute * 60.0) / 86400.0; }

std::optional<DateParts> PartsOf(DATE date) {
  // The conversion every Date field goes through, imported like the rest.
  SYSTEMTIME time{};
  if (!VariantTimeToSystemTime(date, &time)) return std::nullopt;
  return DateParts{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute};
}

}  // namespace schedule
