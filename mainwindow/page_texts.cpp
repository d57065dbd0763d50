#include "mainwindow/page_texts.h"

#include <cmath>
#include <cstdio>

#include "platform/runtime/conversions.h"

using platform::forms::Date;

namespace {

std::string StripZeros(std::string digits) {
  if (digits.find('.') == std::string::npos) return digits;
  while (digits.back() == '0') digits.pop_back();
  if (digits.back() == '.') digits.pop_back();
  return digits;
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
  std::optional<Date> date = platform::vb::ParseDate(text);
  // A time alone names no day a trigger could start on.
  if (!date || std::trunc(*date) == 0) return std::nullopt;
  return std::trunc(*date);
}

std::optional<Date> TimeOfBox(const std::string& text) {
  std::optional<Date> date = platform::vb::ParseDate(text);
  if (!date) return std::nullopt;
  return std::fabs(*date - std::trunc(*date));
}
