// Text to Date in the fixed English (United States) locale.
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/base/cp1252.h"
#include "platform/base/date_math.h"
#include "platform/base/runtime_error.h"
#include "platform/runtime/conversions.h"

namespace platform::vb {
namespace {

using forms::Date;

constexpr std::int32_t kTypeMismatch = 13;

struct NameRow {
  const char* name;
  unsigned number;
};

// Full names; any beginning of three letters or more names them too
// ("Dec", "Sept").
constexpr NameRow kMonths[] = {
    {"JANUARY", 1}, {"FEBRUARY", 2}, {"MARCH", 3},     {"APRIL", 4},    {"MAY", 5},       {"JUNE", 6},
    {"JULY", 7},    {"AUGUST", 8},   {"SEPTEMBER", 9}, {"OCTOBER", 10},  {"NOVEMBER", 11},
    {"DECEMBER", 12},
};
constexpr NameRow kWeekdays[] = {
    {"SUNDAY", 0}, {"MONDAY", 1}, {"TUESDAY", 2}, {"WEDNESDAY", 3}, {"THURSDAY", 4}, {"FRIDAY", 5}, {"SATURDAY", 6},
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!IsDigit(c)) return false;
  return true;
}

// The number a name or its three-letter (or longer) abbreviation stands for,
// with or without a closing ".".
template <std::size_t N>
std::optional<unsigned> NameNumber(std::string_view word, const NameRow (&rows)[N]) {
  if (!word.empty() && word.back() == '.') word.remove_suffix(1);
  if (word.size() < 3) return std::nullopt;
  std::string upper = ToUpper(word);
  for (const NameRow& row : rows)
    if (std::string_view(row.name).starts_with(upper)) return row.number;
  return std::nullopt;
}

// The text cut into words at blanks, tabs and commas.
std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words(1);
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == ',') {
      if (!words.back().empty()) words.emplace_back();
    } else {
      words.back() += c;
    }
  }
  if (words.back().empty()) words.pop_back();
  return words;
}

std::vector<std::string> SplitAt(std::string_view text, std::string_view separators) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (separators.find(c) != std::string_view::npos) parts.emplace_back();
    else parts.back() += c;
  }
  return parts;
}

std::optional<int> Number(std::string_view text, std::size_t maxDigits) {
  if (!AllDigits(text) || text.size() > maxDigits) return std::nullopt;
  int value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return value;
}

// "AM" or "PM" (any case): 0 or 12 hours.
std::optional<int> HalfOfDay(std::string_view word) {
  std::string upper = ToUpper(word);
  if (upper == "AM") return 0;
  if (upper == "PM") return 12;
  return std::nullopt;
}

bool EndsWithHalfOfDay(std::string_view word) {
  return word.size() > 2 && IsDigit(word[word.size() - 3]) && HalfOfDay(word.substr(word.size() - 2));
}

// "H:MM", "H:MM:SS" or "H" with AM or PM, the AM or PM a word of its own or
// written against the digits.
std::optional<Date> TimeOf(std::string clock, std::string half) {
  if (half.empty() && EndsWithHalfOfDay(clock)) {
    half = clock.substr(clock.size() - 2);
    clock.resize(clock.size() - 2);
  }
  std::optional<int> added = half.empty() ? std::optional<int>() : HalfOfDay(half);
  if (!half.empty() && !added) return std::nullopt;
  std::vector<std::string> parts = SplitAt(clock, ":");
  if (parts.size() > 3 || (parts.size() == 1 && !added)) return std::nullopt;
  std::optional<int> values[3] = {0, 0, 0};
  for (std::size_t i = 0; i < parts.size(); ++i) values[i] = Number(parts[i], 2);
  if (!values[0] || !values[1] || !values[2]) return std::nullopt;
  int hour = *values[0], minute = *values[1], second = *values[2];
  if (added) {
    if (hour < 1 || hour > 12) return std::nullopt;
    hour = hour % 12 + *added;
  }
  if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
  return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

// Takes the time's words out of `words`: a word with ":" or a number with
// AM or PM, and the AM or PM word after it. Nothing when there is none;
// nullopt when they do not make a time.
std::optional<std::optional<Date>> TakeTime(std::vector<std::string>& words) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    bool nextIsHalf = i + 1 < words.size() && HalfOfDay(words[i + 1]);
    bool clock = words[i].find(':') != std::string::npos || EndsWithHalfOfDay(words[i]) ||
                 (nextIsHalf && AllDigits(words[i]));
    if (!clock) continue;
    std::optional<Date> time = TimeOf(words[i], nextIsHalf ? words[i + 1] : "");
    if (!time) return std::nullopt;
    words.erase(words.begin() + static_cast<std::ptrdiff_t>(i), words.begin() + static_cast<std::ptrdiff_t>(i + (nextIsHalf ? 2 : 1)));
    return std::optional<Date>(time);
  }
  return std::optional<Date>();
}

// A year of up to four digits; one or two digits 0-29 are 2000-2029,
// 30-99 are 1930-1999.
std::optional<int> YearOf(std::string_view text) {
  std::optional<int> year = Number(text, 4);
  if (year && text.size() <= 2) *year += *year < 30 ? 2000 : 1900;
  return year;
}

// Day, month and year from three pieces: all numbers (year first when it
// has four digits, else month first), or one of them a month's name (name,
// day, year; day, name, year; year, name, day).
std::optional<Date> DayOf(const std::vector<std::string>& pieces) {
  if (pieces.size() != 3) return std::nullopt;
  std::optional<int> year, month, day;
  std::optional<unsigned> named[3];
  int names = 0;
  for (int i = 0; i < 3; ++i) names += (named[i] = NameNumber(pieces[i], kMonths)) ? 1 : 0;
  if (names > 1) return std::nullopt;
  if (named[0]) {
    month = static_cast<int>(*named[0]), day = Number(pieces[1], 2), year = YearOf(pieces[2]);
  } else if (named[1] && pieces[0].size() == 4) {
    year = YearOf(pieces[0]), month = static_cast<int>(*named[1]), day = Number(pieces[2], 2);
  } else if (named[1]) {
    day = Number(pieces[0], 2), month = static_cast<int>(*named[1]), year = YearOf(pieces[2]);
  } else if (!names && pieces[0].size() == 4) {
    year = YearOf(pieces[0]), month = Number(pieces[1], 2), day = Number(pieces[2], 2);
  } else if (!names) {
    month = Number(pieces[0], 2), day = Number(pieces[1], 2), year = YearOf(pieces[2]);
  }
  if (!year || !month || !day || *year < 100 || *month < 1 || *month > 12 || *day < 1 ||
      *day > static_cast<int>(DaysInMonth(*year, static_cast<unsigned>(*month))))
    return std::nullopt;
  return static_cast<Date>(DaysFromCivil(*year, static_cast<unsigned>(*month), static_cast<unsigned>(*day)) -
                           kDateZero);
}

}  // namespace

std::optional<Date> ParseDate(std::string_view text) {
  std::vector<std::string> words = Words(text);
  if (words.empty()) return std::nullopt;
  std::optional<std::optional<Date>> time = TakeTime(words);
  if (!time) return std::nullopt;
  if (!words.empty() && NameNumber(words.front(), kWeekdays)) words.erase(words.begin());
  if (words.empty()) return time->has_value() ? time->value() : std::optional<Date>();
  std::vector<std::string> pieces;
  for (const std::string& word : words)
    for (std::string& piece : SplitAt(word, "/-")) pieces.push_back(std::move(piece));
  std::optional<Date> day = DayOf(pieces);
  if (!day) return std::nullopt;
  Date clock = time->value_or(0.0);
  // Before day zero the time of day still counts forwards.
  return *day < 0 ? *day - clock : *day + clock;
}

bool IsDate(std::string_view text) { return ParseDate(text).has_value(); }

Date CDate(std::string_view text) {
  std::optional<Date> date = ParseDate(text);
  if (!date) RaiseRuntimeError(kTypeMismatch);
  return *date;
}

Date DateValue(std::string_view text) { return std::trunc(CDate(text)); }

Date TimeValue(std::string_view text) {
  Date date = CDate(text);
  return std::fabs(date - std::trunc(date));
}

}  // namespace platform::vb
