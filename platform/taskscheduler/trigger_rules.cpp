#include "platform/taskscheduler/trigger_rules.h"

#include <cstdio>
#include <vector>

#include "platform/base/date_math.h"

namespace platform::taskscheduler {
namespace {

// Years 1601..9999, except 1899: a time-only Date (day zero, 1899-12-30)
// reaches here as year 1899 and is no begin date.
bool IsRealDate(WORD y, WORD m, WORD d) {
  return y >= 1601 && y <= 9999 && y != 1899 && m >= 1 && m <= 12 && d >= 1 && d <= DaysInMonth(y, m);
}

bool MaskIn(DWORD mask, DWORD limit) { return mask != 0 && mask <= limit; }

constexpr const char* kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kWeekNames[] = {"first", "second", "third", "fourth", "last"};

std::string JoinBits(DWORD mask, const char* const* names, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    if (!(mask & (1u << i))) continue;
    if (!out.empty()) out += ", ";
    out += names[i];
  }
  return out;
}

std::string DayList(DWORD mask) {
  std::string out;
  for (int i = 0; i < 31; ++i) {
    if (!(mask & (1u << i))) continue;
    if (!out.empty()) out += ", ";
    out += std::to_string(i + 1);
  }
  return out;
}

std::string ClockText(WORD hour, WORD minute) {
  char text[16];
  std::snprintf(text, sizeof text, "%u:%02u %s", hour % 12 == 0 ? 12u : hour % 12u, minute, hour < 12 ? "AM" : "PM");
  return text;
}

std::string DateText(WORD y, WORD m, WORD d) {
  return std::to_string(m) + "/" + std::to_string(d) + "/" + std::to_string(y);
}

// Whether a time trigger fires on `day` (days since 1970), not looking at
// its begin and end dates.
bool FiresOn(const TASK_TRIGGER& t, std::int64_t day, std::int64_t begin) {
  CivilDate date = CivilFromDays(day);
  unsigned weekday = DayOfWeek(day);
  DWORD monthBit = 1u << (date.month - 1);
  switch (t.TriggerType) {
    case TASK_TIME_TRIGGER_ONCE: return day == begin;
    case TASK_TIME_TRIGGER_DAILY: return (day - begin) % t.Type.Daily.DaysInterval == 0;
    case TASK_TIME_TRIGGER_WEEKLY: {
      std::int64_t firstSunday = begin - DayOfWeek(begin);
      std::int64_t week = (day - firstSunday) / 7;
      return week % t.Type.Weekly.WeeksInterval == 0 && (t.Type.Weekly.rgfDaysOfTheWeek & (1u << weekday));
    }
    case TASK_TIME_TRIGGER_MONTHLYDATE:
      return (t.Type.MonthlyDate.rgfMonths & monthBit) && (t.Type.MonthlyDate.rgfDays & (1u << (date.day - 1)));
    case TASK_TIME_TRIGGER_MONTHLYDOW: {
      const MONTHLYDOW& dow = t.Type.MonthlyDOW;
      if (!(dow.rgfMonths & monthBit) || !(dow.rgfDaysOfTheWeek & (1u << weekday))) return false;
      if (dow.wWhichWeek == 5) return date.day + 7 > DaysInMonth(date.year, date.month);
      return (date.day - 1) / 7 + 1 == dow.wWhichWeek;
    }
    default: return false;
  }
}

// How far ahead a repeating trigger is searched: a few years covers every
// month and weekday combination.
constexpr std::int64_t kSearchDays = 8 * 366;

}  // namespace

bool IsValidTrigger(const TASK_TRIGGER& t) {
  if (t.cbTriggerSize != sizeof(TASK_TRIGGER) || t.Reserved1 != 0) return false;
  if (!IsRealDate(t.wBeginYear, t.wBeginMonth, t.wBeginDay)) return false;
  if (t.rgFlags & TASK_TRIGGER_FLAG_HAS_END_DATE) {
    if (!IsRealDate(t.wEndYear, t.wEndMonth, t.wEndDay)) return false;
    if (DaysFromCivil(t.wEndYear, t.wEndMonth, t.wEndDay) < DaysFromCivil(t.wBeginYear, t.wBeginMonth, t.wBeginDay))
      return false;
  }
  if (t.wStartHour > 23 || t.wStartMinute > 59) return false;
  if (t.MinutesInterval != 0 && t.MinutesInterval >= t.MinutesDuration) return false;
  switch (t.TriggerType) {
    case TASK_TIME_TRIGGER_DAILY: return t.Type.Daily.DaysInterval >= 1;
    case TASK_TIME_TRIGGER_WEEKLY: return t.Type.Weekly.WeeksInterval >= 1 && MaskIn(t.Type.Weekly.rgfDaysOfTheWeek, 0x7F);
    case TASK_TIME_TRIGGER_MONTHLYDATE:
      return MaskIn(t.Type.MonthlyDate.rgfMonths, 0xFFF) && MaskIn(t.Type.MonthlyDate.rgfDays, 0x7FFFFFFF);
    case TASK_TIME_TRIGGER_MONTHLYDOW:
      return t.Type.MonthlyDOW.wWhichWeek >= 1 && t.Type.MonthlyDOW.wWhichWeek <= 5 &&
             MaskIn(t.Type.MonthlyDOW.rgfDaysOfTheWeek, 0x7F) && MaskIn(t.Type.MonthlyDOW.rgfMonths, 0xFFF);
    case TASK_TIME_TRIGGER_ONCE:
    case TASK_EVENT_TRIGGER_ON_IDLE:
    case TASK_EVENT_TRIGGER_AT_SYSTEMSTART:
    case TASK_EVENT_TRIGGER_AT_LOGON: return true;
    default: return false;
  }
}

std::string TriggerText(const TASK_TRIGGER& t) {
  std::string at = "At " + ClockText(t.wStartHour, t.wStartMinute);
  std::string starting = ", starting " + DateText(t.wBeginYear, t.wBeginMonth, t.wBeginDay);
  std::string text;
  switch (t.TriggerType) {
    case TASK_TIME_TRIGGER_ONCE: text = at + " on " + DateText(t.wBeginYear, t.wBeginMonth, t.wBeginDay); break;
    case TASK_TIME_TRIGGER_DAILY: {
      WORD n = t.Type.Daily.DaysInterval;
      text = at + (n == 1 ? " every day" : " every " + std::to_string(n) + " days") + starting;
      break;
    }
    case TASK_TIME_TRIGGER_WEEKLY: {
      WORD n = t.Type.Weekly.WeeksInterval;
      text = at + " every " + JoinBits(t.Type.Weekly.rgfDaysOfTheWeek, kDayNames, 7) + " of " +
             (n == 1 ? "every week" : "every " + std::to_string(n) + " weeks") + starting;
      break;
    }
    case TASK_TIME_TRIGGER_MONTHLYDATE:
      text = at + " on day " + DayList(t.Type.MonthlyDate.rgfDays) + " of " +
             JoinBits(t.Type.MonthlyDate.rgfMonths, kMonthNames, 12) + starting;
      break;
    case TASK_TIME_TRIGGER_MONTHLYDOW: {
      WORD week = t.Type.MonthlyDOW.wWhichWeek;
      text = at + " on the " + (week >= 1 && week <= 5 ? kWeekNames[week - 1] : "?") + " " +
             JoinBits(t.Type.MonthlyDOW.rgfDaysOfTheWeek, kDayNames, 7) + " of " +
             JoinBits(t.Type.MonthlyDOW.rgfMonths, kMonthNames, 12) + starting;
      break;
    }
    case TASK_EVENT_TRIGGER_ON_IDLE: text = "When computer is idle"; break;
    case TASK_EVENT_TRIGGER_AT_SYSTEMSTART: text = "At system startup"; break;
    case TASK_EVENT_TRIGGER_AT_LOGON: text = "At logon"; break;
    default: text = "Unknown trigger"; break;
  }
  if (t.rgFlags & TASK_TRIGGER_FLAG_DISABLED) text += " (disabled)";
  return text;
}

bool IsEventTrigger(const TASK_TRIGGER& t) {
  return t.TriggerType == TASK_EVENT_TRIGGER_ON_IDLE || t.TriggerType == TASK_EVENT_TRIGGER_AT_SYSTEMSTART ||
         t.TriggerType == TASK_EVENT_TRIGGER_AT_LOGON;
}

std::optional<LocalMinutes> NextStart(const TASK_TRIGGER& t, LocalMinutes now) {
  if ((t.rgFlags & TASK_TRIGGER_FLAG_DISABLED) || IsEventTrigger(t) || !IsValidTrigger(t)) return std::nullopt;
  std::int64_t begin = DaysFromCivil(t.wBeginYear, t.wBeginMonth, t.wBeginDay);
  std::int64_t last = begin + kSearchDays;
  if (t.rgFlags & TASK_TRIGGER_FLAG_HAS_END_DATE) last = DaysFromCivil(t.wEndYear, t.wEndMonth, t.wEndDay);
  std::int64_t today = now >= 0 ? now / 1440 : (now - 1439) / 1440;
  std::int64_t first = std::max(begin, today - 1);  // a repetition may run past midnight
  last = std::min(last, std::max(first, today) + kSearchDays);
  LocalMinutes startOfDay = t.wStartHour * 60 + t.wStartMinute;
  // Repetitions within the duration, else the one start.
  std::vector<LocalMinutes> offsets = {0};
  if (t.MinutesInterval > 0)
    for (LocalMinutes k = t.MinutesInterval; k < t.MinutesDuration; k += t.MinutesInterval) offsets.push_back(k);
  for (std::int64_t day = first; day <= last; ++day) {
    if (!FiresOn(t, day, begin)) continue;
    for (LocalMinutes offset : offsets) {
      LocalMinutes start = day * 1440 + startOfDay + offset;
      if (start >= now) return start;
    }
  }
  return std::nullopt;
}

TASK_TRIGGER DefaultTrigger(const SYSTEMTIME& now) {
  TASK_TRIGGER t{};
  t.cbTriggerSize = sizeof(TASK_TRIGGER);
  t.wBeginYear = now.wYear;
  t.wBeginMonth = now.wMonth;
  t.wBeginDay = now.wDay;
  t.wStartHour = now.wHour;
  t.wStartMinute = now.wMinute;
  t.TriggerType = TASK_TIME_TRIGGER_DAILY;
  t.Type.Daily.DaysInterval = 1;
  return t;
}

LocalMinutes MinutesOf(const SYSTEMTIME& time) {
  return DaysFromCivil(time.wYear, time.wMonth, time.wDay) * 1440 + time.wHour * 60 + time.wMinute;
}

SYSTEMTIME SystemTimeOf(LocalMinutes minutes) {
  std::int64_t day = minutes >= 0 ? minutes / 1440 : (minutes - 1439) / 1440;
  LocalMinutes inDay = minutes - day * 1440;
  CivilDate date = CivilFromDays(day);
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(date.year);
  st.wMonth = static_cast<WORD>(date.month);
  st.wDay = static_cast<WORD>(date.day);
  st.wDayOfWeek = static_cast<WORD>(DayOfWeek(day));
  st.wHour = static_cast<WORD>(inDay / 60);
  st.wMinute = static_cast<WORD>(inDay % 60);
  return st;
}

}  // namespace platform::taskscheduler
