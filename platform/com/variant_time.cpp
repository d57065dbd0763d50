#include "platform/com/variant_time.h"

#include <cmath>

#include "platform/base/date_math.h"

using namespace platform;
using namespace platform::com;

BOOL SystemTimeToVariantTime(const SYSTEMTIME* st, DATE* date) {
  if (!st || !date) return FALSE;
  if (st->wYear < 100 || st->wYear > 9999 || st->wMonth < 1 || st->wMonth > 12 || st->wDay < 1 ||
      st->wDay > DaysInMonth(st->wYear, st->wMonth) || st->wHour > 23 || st->wMinute > 59 || st->wSecond > 59)
    return FALSE;
  double days = static_cast<double>(DaysFromCivil(st->wYear, st->wMonth, st->wDay) - kDateZero);
  double fraction = (st->wHour * 3600.0 + st->wMinute * 60.0 + st->wSecond) / 86400.0;
  // Before day zero the time still counts forward from midnight: -1.25 is
  // 1899-12-29 06:00.
  *date = days >= 0 ? days + fraction : days - fraction;
  return TRUE;
}

BOOL VariantTimeToSystemTime(DATE date, SYSTEMTIME* st) {
  if (!st || !std::isfinite(date)) return FALSE;
  double whole = std::trunc(date);
  long long seconds = std::llround(std::fabs(date - whole) * 86400.0);
  long long day = static_cast<long long>(whole);
  if (seconds >= 86400) {
    seconds -= 86400;
    day += date < 0 ? -1 : 1;
  }
  CivilDate civil = CivilFromDays(day + kDateZero);
  if (civil.year < 100 || civil.year > 9999) return FALSE;
  st->wYear = static_cast<WORD>(civil.year);
  st->wMonth = static_cast<WORD>(civil.month);
  st->wDay = static_cast<WORD>(civil.day);
  st->wDayOfWeek = static_cast<WORD>(DayOfWeek(day + kDateZero));
  st->wHour = static_cast<WORD>(seconds / 3600);
  st->wMinute = static_cast<WORD>(seconds / 60 % 60);
  st->wSecond = static_cast<WORD>(seconds % 60);
  st->wMilliseconds = 0;
  return TRUE;
}
