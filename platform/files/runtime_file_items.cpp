#include "platform/files/runtime_file_items.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "platform/base/cp1252.h"
#include "platform/runtime/conversions.h"

namespace platform::vb {
namespace {

std::string NumberText(double number) { return CStr(number); }

std::string DateFieldText(forms::Date d) {
  using namespace forms;
  bool hasTime = Hour(d) != 0 || Minute(d) != 0 || Second(d) != 0;
  bool hasDate = std::trunc(d) != 0;
  char date[32] = "", time[32] = "";
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", Year(d), Month(d), Day(d));
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", Hour(d), Minute(d), Second(d));
  if (hasDate && hasTime) return std::string("#") + date + " " + time + "#";
  if (!hasDate && hasTime) return std::string("#") + time + "#";
  return std::string("#") + date + "#";
}

bool Digits(std::string_view text, std::size_t count) {
  if (text.size() != count) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

int Number(std::string_view text) {
  int value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return value;
}

// "yyyy-mm-dd" as a Date, or nothing when not a real day.
std::optional<forms::Date> DatePart(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  if (!Digits(text.substr(0, 4), 4) || !Digits(text.substr(5, 2), 2) || !Digits(text.substr(8, 2), 2))
    return std::nullopt;
  int year = Number(text.substr(0, 4)), month = Number(text.substr(5, 2)), day = Number(text.substr(8, 2));
  std::optional<forms::Date> d = forms::TryDateSerial(year, month, day);
  if (!d || year < 100 || forms::Year(*d) != year || forms::Month(*d) != month || forms::Day(*d) != day)
    return std::nullopt;
  return d;
}

// "hh:mm:ss" as a fraction of a day.
std::optional<forms::Date> TimePart(std::string_view text) {
  if (text.size() != 8 || text[2] != ':' || text[5] != ':') return std::nullopt;
  if (!Digits(text.substr(0, 2), 2) || !Digits(text.substr(3, 2), 2) || !Digits(text.substr(6, 2), 2))
    return std::nullopt;
  int h = Number(text.substr(0, 2)), m = Number(text.substr(3, 2)), s = Number(text.substr(6, 2));
  if (h > 23 || m > 59 || s > 59) return std::nullopt;
  return forms::TimeSerial(h, m, s);
}

}  // namespace

std::string PrintText(const FileItem& item) {
  const auto& v = item.value();
  if (auto* text = std::get_if<std::string>(&v)) return *text;
  if (auto* number = std::get_if<double>(&v)) return (*number >= 0 ? " " : "") + NumberText(*number) + " ";
  if (auto* flag = std::get_if<bool>(&v)) return *flag ? "True" : "False";
  if (auto* date = std::get_if<FileDate>(&v)) return forms::DateText(date->value);
  return {};
}

std::string WriteText(const FileItem& item) {
  const auto& v = item.value();
  if (auto* text = std::get_if<std::string>(&v)) return "\"" + *text + "\"";
  if (auto* number = std::get_if<double>(&v)) return NumberText(*number);
  if (auto* flag = std::get_if<bool>(&v)) return *flag ? "#TRUE#" : "#FALSE#";
  if (auto* date = std::get_if<FileDate>(&v)) return DateFieldText(date->value);
  return {};
}

FileItem ParseHashField(std::string_view inside) {
  if (EqualsNoCase(inside, "TRUE")) return FileItem(true);
  if (EqualsNoCase(inside, "FALSE")) return FileItem(false);
  if (auto d = DatePart(inside)) return FileItem(FileDate{*d});
  if (auto t = TimePart(inside)) return FileItem(FileDate{*t});
  if (inside.size() == 19 && inside[10] == ' ') {
    auto d = DatePart(inside.substr(0, 10));
    auto t = TimePart(inside.substr(11));
    if (d && t) return FileItem(FileDate{*d + *t});
  }
  return FileItem();
}

}  // namespace platform::vb
