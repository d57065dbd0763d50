#pragma once
// Civil calendar arithmetic, proleptic Gregorian, for every date the layer
// handles: system times, FILETIMEs and the runtime's Date (days since
// 1899-12-30).
#include <cstdint>

namespace platform {

// Days since 1970-01-01 of a proleptic Gregorian date.
constexpr std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// The same with a month of any value, rolling over into other years
// (month 13 is January of the next year, month 0 December of the last).
constexpr std::int64_t DaysFromCivilRolling(std::int64_t y, std::int64_t m, std::int64_t d) {
  std::int64_t zeroBased = m - 1;
  y += zeroBased >= 0 ? zeroBased / 12 : -((11 - zeroBased) / 12);
  unsigned month = static_cast<unsigned>(((zeroBased % 12) + 12) % 12 + 1);
  return DaysFromCivil(y, month, 1) + d - 1;
}

struct CivilDate {
  std::int64_t year;
  unsigned month;
  unsigned day;
};

constexpr CivilDate CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2), m, d};
}

// Day number of 1899-12-30, the Date type's day zero.
inline constexpr std::int64_t kDateZero = DaysFromCivil(1899, 12, 30);

constexpr bool IsLeapYear(std::int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
constexpr unsigned DaysInMonth(std::int64_t y, unsigned m) {
  constexpr unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

// 0 = Sunday.
constexpr unsigned DayOfWeek(std::int64_t daysSince1970) {
  return static_cast<unsigned>(((daysSince1970 % 7) + 7 + 4) % 7);
}

}  // namespace platform
