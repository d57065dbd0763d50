#pragma once
// The runtime's Date: days since 1899-12-30, the time of day as the fraction.
#include <cstdint>
#include <optional>
#include <string>

namespace platform::forms {

using Date = double;

// The machine's local time now.
Date Now();
// Months and days roll over; years 0-29 are 2000-2029 and 30-99 are
// 1930-1999. A date outside the years 100..9999 raises 5.
Date DateSerial(std::int32_t year, std::int32_t month, std::int32_t day);
// The same rule without raising: nothing outside the years 100..9999. The
// Schedule library imports it (it raises no C++ exceptions of the program).
std::optional<Date> TryDateSerial(std::int32_t year, std::int32_t month, std::int32_t day);
// Hours, minutes and seconds roll over.
Date TimeSerial(std::int32_t hour, std::int32_t minute, std::int32_t second);
// Parts of the value rounded to the nearest second.
std::int32_t Year(Date d);
std::int32_t Month(Date d);
std::int32_t Day(Date d);
std::int32_t Hour(Date d);
std::int32_t Minute(Date d);
std::int32_t Second(Date d);
// "12/31/2005 10:15:00 PM"; the date alone when the time is 0, the time
// alone when the date is 0.
std::string DateText(Date d);

}  // namespace platform::forms
