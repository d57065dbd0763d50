#include "mainwindow/page_texts.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/base/cp1252.h"

using platform::forms::Date;

namespace {

std::string StripZeros(std::string digits) {
  if (digits.find('.') == std::string::npos) return digits;
  while (digits.back() == '0') digits.pop_back();
  if (digits.back() == '.') digits.pop_back();
  return digits;
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    if (c == ' ' || c == '\t') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

// Digits only, 1..4 of them.
std::optional<int> Number(const std::string& text, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::vector<std::string> SplitAt(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == separator) parts.emplace_back();
    else parts.back() += c;
  }
  return parts;
}

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

std::optional<Date> DayOf(const std::string& text) {
  int year = 0, month = 0, day = 0;
  auto slash = SplitAt(text, '/');
  auto dash = SplitAt(text, '-');
  if (slash.size() == 3) {
    auto m = Number(slash[0], 2), d = Number(slash[1], 2), y = Number(slash[2], 4);
    if (!m || !d || !y || slash[2].size() == 3) return std::nullopt;
    month = *m, day = *d, year = *y;
    if (slash[2].size() <= 2) year += year < 30 ? 2000 : 1900;
  } else if (dash.size() == 3 && dash[0].size() == 4) {
    auto y = Number(dash[0], 4), m = Number(dash[1], 2), d = Number(dash[2], 2);
    if (!m || !d || !y) return std::nullopt;
    month = *m, day = *d, year = *y;
  } else {
    return std::nullopt;
  }
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return std::nullopt;
  return platform::forms::DateSerial(year, month, day);
}

// The words of a time: "H:MM[:SS]" or "H", then an optional AM/PM, also
// written against the digits.
std::optional<Date> TimeOf(std::vector<std::string> words) {
  if (words.empty() || words.size() > 2) return std::nullopt;
  std::string clock = words[0], half = words.size() == 2 ? words[1] : "";
  if (half.empty() && clock.size() > 2) {
    std::string tail = platform::ToUpper(clock.substr(clock.size() - 2));
    if (tail == "AM" || tail == "PM") half = tail, clock.resize(clock.size() - 2);
  }
  half = platform::ToUpper(half);
  if (!half.empty() && half != "AM" && half != "PM") return std::nullopt;
  auto parts = SplitAt(clock, ':');
  if (parts.size() > 3 || (parts.size() == 1 && half.empty())) return std::nullopt;
  std::optional<int> values[3] = {0, 0, 0};
  for (std::size_t i = 0; i < parts.size(); ++i) values[i] = Number(parts[i], 2);
  if (!values[0] || !values[1] || !values[2]) return std::nullopt;
  int hour = *values[0], minute = *values[1], second = *values[2];
  if (!half.empty()) {
    if (hour < 1 || hour > 12) return std::nullopt;
    hour = hour % 12 + (half == "PM" ? 12 : 0);
  }
  if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
  return platform::forms::TimeSerial(hour, minute, second);
}

struct BoxParts {
  std::optional<Date> day, time;
};

// A date word first, then a time; or a time alone.
std::optional<BoxParts> PartsOfBox(const std::string& text) {
  auto words = Words(text);
  if (words.empty()) return std::nullopt;
  BoxParts parts;
  if (words[0].find_first_of("/-") != std::string::npos) {
    parts.day = DayOf(words[0]);
    if (!parts.day) return std::nullopt;
    words.erase(words.begin());
    if (words.empty()) return parts;
  }
  parts.time = TimeOf(words);
  if (!parts.time) return std::nullopt;
  return parts;
}

}  // namespace

std::string SingleText(double value) {
  float single = static_cast<float>(value);
  if (std::isnan(single)) return "NaN";
  if (single == 0) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6e", static_cast<double>(single));
  std::string text = buffer;
  std::size_t e = text.find('e');
  int exponent = std::stoi(text.substr(e + 1));
  if (exponent >= -5 && exponent < 7) {
    std::snprintf(buffer, sizeof buffer, "%.*f", std::max(0, 6 - exponent), static_cast<double>(single));
    return StripZeros(buffer);
  }
  std::string mantissa = StripZeros(text.substr(0, e));
  char exponentText[16];
  std::snprintf(exponentText, sizeof exponentText, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
  return mantissa + exponentText;
}

std::string ShortDateText(Date value) {
  using namespace platform::forms;
  return std::to_string(Month(value)) + "/" + std::to_string(Day(value)) + "/" + std::to_string(Year(value));
}

std::string ShortTimeText(Date value) {
  using namespace platform::forms;
  int hour = Hour(value), minute = Minute(value);
  int shown = hour % 12 == 0 ? 12 : hour % 12;
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%d:%02d %s", shown, minute, hour < 12 ? "AM" : "PM");
  return buffer;
}

std::optional<Date> DateOfBox(const std::string& text) {
  auto parts = PartsOfBox(text);
  if (!parts || !parts->day) return std::nullopt;
  return parts->day;
}

std::optional<Date> TimeOfBox(const std::string& text) {
  auto parts = PartsOfBox(text);
  if (!parts) return std::nullopt;
  return parts->time.value_or(0.0);
}
