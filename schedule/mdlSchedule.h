#pragma once
// The library's module: strings and dates as they come from the service,
// and the Date rules of the runtime the classes use.
#include <optional>
#include <string>

#include "platform/com/automation_types.h"

namespace schedule {

// TakeWideString: the characters of a CoTaskMem string from the service, as
// a BSTR; the service's buffer is freed. The pointer must not be used again.
BSTR TakeWideString(LPWSTR text);

// TimeSerial(hour, minute, 0) on day zero.
DATE TimeSerial(int hour, int minute);

struct DateParts {
  int year, month, day, hour, minute;
};
// Year, Month, Day, Hour and Minute of a Date (the time rounded to the
// second first, as the runtime does); nothing for a value that is no Date
// (not finite, or outside the years 100 to 9999).
std::optional<DateParts> PartsOf(DATE date);

}  // namespace schedule
