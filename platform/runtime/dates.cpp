#include "platform/runtime/dates.h"

#include <cmath>
#include <cstdio>

#include "platform/base/date_math.h"
#include "platform/base/runtime_error.h"
#include "platform/machine/clock.h"
#include "platform/machine/machine.h"

namespace platform::forms {
namespace {

using Civil = CivilDate;

// Days from the Date type's day zero (1899-12-30) to 1970-01-01.
constexpr std::int64_t kDaysTo1970 = -kDateZero;

// The value as whole seconds since 1899-12-30 (negative dates count the
// time of day forwards, as the runtime does).
std::int64_t TotalSeconds(Date d) {
  double days = std::trunc(d);
  double fraction = std::fabs(d - days);
  return static_cast<std::int64_t>(days) * 86400 + std::llround(fraction * 86400);
}

Civil CivilOf(Date d) {
  std::int64_t seconds = TotalSeconds(d);
  std::int64_t days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
  return CivilFromDays(days - kDaysTo1970);
}

std::int64_t SecondOfDay(Date d) {
  std::int64_t seconds = TotalSeconds(d) % 86400;
  return seconds < 0 ? seconds + 86400 : seconds;
}

}  // namespace

Date Now() {
  Machine* machine = CurrentMachine();
  std::int64_t utc = machine ? machine->clock().NowUtc() : HostClock().NowUtc();
  std::int64_t localSeconds = (utc - kUnixEpochAsFileTime) / 10000000 +
                              (machine ? machine->localOffsetMinutes() * 60LL : 0);
  std::int64_t days = localSeconds >= 0 ? localSeconds / 86400 : -((-localSeconds + 86399) / 86400);
  return static_cast<double>(days + kDaysTo1970) + static_cast<double>(localSeconds - days * 86400) / 86400.0;
}

std::optional<Date> TryDateSerial(std::int32_t year, std::int32_t month, std::int32_t day) {
  std::int64_t y = year;
  if (y >= 0 && y <= 29) y += 2000;
  else if (y >= 30 && y <= 99) y += 1900;
  std::int64_t days = DaysFromCivilRolling(y, month, day);
  std::int64_t resultYear = CivilFromDays(days).year;
  if (resultYear < 100 || resultYear > 9999) return std::nullopt;
  return static_cast<double>(days + kDaysTo1970);
}

Date DateSerial(std::int32_t year, std::int32_t month, std::int32_t day) {
  std::optional<Date> date = TryDateSerial(year, month, day);
  if (!date) RaiseRuntimeError(5);
  return *date;
}

Date TimeSerial(std::int32_t hour, std::int32_t minute, std::int32_t second) {
  return (static_cast<double>(hour) * 3600 + static_cast<double>(minute) * 60 + second) / 86400.0;
}

std::int32_t Year(Date d) { return static_cast<std::int32_t>(CivilOf(d).year); }
std::int32_t Month(Date d) { return static_cast<std::int32_t>(CivilOf(d).month); }
std::int32_t Day(Date d) { return static_cast<std::int32_t>(CivilOf(d).day); }
std::int32_t Hour(Date d) { return static_cast<std::int32_t>(SecondOfDay(d) / 3600); }
std::int32_t Minute(Date d) { return static_cast<std::int32_t>(SecondOfDay(d) / 60 % 60); }
std::int32_t Second(Date d) { return static_cast<std::int32_t>(SecondOfDay(d) % 60); }

std::string DateText(Date d) {
  char date[80] = "", time[80] = "";
  bool hasDate = TotalSeconds(d) / 86400 != 0;
  std::int64_t seconds = SecondOfDay(d);
  if (hasDate) {
    Civil civil = CivilOf(d);
    std::snprintf(date, sizeof date, "%lld/%lld/%lld", static_cast<long long>(civil.month),
                  static_cast<long long>(civil.day), static_cast<long long>(civil.year));
  }
  if (seconds != 0 || !hasDate) {
    long long hour = seconds / 3600;
    std::snprintf(time, sizeof time, "%lld:%02lld:%02lld %s", hour % 12 == 0 ? 12 : hour % 12,
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60),
                  hour < 12 ? "AM" : "PM");
  }
  if (hasDate && seconds != 0) return std::string(date) + " " + time;
  return hasDate ? date : time;
}

}  // namespace platform::forms
