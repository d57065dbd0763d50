#include "platform/runtime/conversions.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/base/runtime_error.h"

namespace platform::vb {
namespace {

constexpr std::int32_t kOverflow = 6;
constexpr std::int32_t kTypeMismatch = 13;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Walks text; Val's reading skips blanks, tabs and line feeds anywhere.
class Cursor {
 public:
  Cursor(std::string_view text, bool skipWhite) : text_(text), skipWhite_(skipWhite) {}

  char peek() {
    if (skipWhite_) {
      while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n')) ++pos_;
    }
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  bool atEnd() {
    peek();
    return pos_ >= text_.size();
  }
  void next() { ++pos_; }
  std::size_t position() const { return pos_; }
  void rewind(std::size_t pos) { pos_ = pos; }

 private:
  std::string_view text_;
  bool skipWhite_;
  std::size_t pos_ = 0;
};

// Digits in `radix` after "&H" / "&O"; an Integer when the value fits 16
// bits, a Long when it fits 32, +infinity beyond.
std::optional<double> ScanRadix(Cursor& cursor) {
  char kind = cursor.peek();
  int radix = (kind == 'H' || kind == 'h') ? 16 : (kind == 'O' || kind == 'o') ? 8 : 0;
  if (radix == 0) return std::nullopt;
  cursor.next();
  std::uint64_t value = 0;
  bool any = false;
  for (;;) {
    char c = cursor.peek();
    int digit = IsDigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : 99;
    if (digit >= radix) break;
    cursor.next();
    any = true;
    if (value <= 0xFFFFFFFFull) value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
  }
  if (!any) return std::nullopt;
  if (value <= 0xFFFFull) return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
  if (value <= 0xFFFFFFFFull) return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
  return std::numeric_limits<double>::infinity();
}

// The decimal number at the cursor as "-123.45e6"; nullopt without a digit.
// An exponent marker not followed by digits is left unread.
std::optional<std::string> ScanDecimal(Cursor& cursor, bool allowThousands) {
  std::string number;
  if (cursor.peek() == '+' || cursor.peek() == '-') {
    if (cursor.peek() == '-') number += '-';
    cursor.next();
  }
  bool digits = false;
  auto readDigits = [&](bool thousands) {
    for (;;) {
      char c = cursor.peek();
      if (IsDigit(c)) {
        number += c;
        digits = true;
      } else if (!(thousands && c == ',' && digits)) {
        break;
      }
      cursor.next();
    }
  };
  readDigits(allowThousands);
  if (cursor.peek() == '.') {
    cursor.next();
    number += '.';
    readDigits(false);
  }
  if (!digits) return std::nullopt;

  char marker = cursor.peek();
  if (marker == 'e' || marker == 'E' || marker == 'd' || marker == 'D') {
    std::size_t before = cursor.position();
    cursor.next();
    std::string exponent = "e";
    if (cursor.peek() == '+' || cursor.peek() == '-') {
      exponent += cursor.peek();
      cursor.next();
    }
    bool any = false;
    while (IsDigit(cursor.peek())) {
      exponent += cursor.peek();
      cursor.next();
      any = true;
    }
    if (any) number += exponent;
    else cursor.rewind(before);
  }
  return number;
}

// "-123.45e6" to a Double; past the range +/-infinity, below it 0.
double ToDouble(const std::string& number) {
  double value = 0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc::result_out_of_range) return value;
  // Out of range: the magnitude's decimal order tells overflow from underflow.
  std::size_t ePos = number.find('e');
  std::string mantissa = number.substr(0, ePos);
  long long exponent = 0;
  if (ePos != std::string::npos) {
    std::string_view digits = std::string_view(number).substr(ePos + 1);
    bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) digits.remove_prefix(1);
    for (char c : digits) exponent = std::min(exponent * 10 + (c - '0'), 1000000000LL);
    if (negative) exponent = -exponent;
  }
  std::size_t point = mantissa.find('.');
  if (point == std::string::npos) point = mantissa.size();
  std::size_t first = mantissa.find_first_of("123456789");
  long long order = first < point ? static_cast<long long>(point - first) : -static_cast<long long>(first - point);
  bool negative = !number.empty() && number.front() == '-';
  if (order + exponent > 0) return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  return negative ? -0.0 : 0.0;
}

double ConvertOrRaise(std::string_view text) {
  std::optional<double> value = ParseNumber(text);
  if (!value) RaiseRuntimeError(kTypeMismatch);
  return *value;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  Cursor cursor(text, false);
  std::optional<double> value;
  if (cursor.peek() == '&') {
    cursor.next();
    value = ScanRadix(cursor);
  } else if (std::optional<std::string> number = ScanDecimal(cursor, true)) {
    value = ToDouble(*number);
  }
  if (!value || !cursor.atEnd()) return std::nullopt;
  return value;
}

double RoundHalfEven(double value) {
  double floor = std::floor(value);
  double fraction = value - floor;
  if (fraction > 0.5) return floor + 1;
  if (fraction < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

std::int32_t CLng(double value) {
  double rounded = RoundHalfEven(value);
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) RaiseRuntimeError(kOverflow);
  return static_cast<std::int32_t>(rounded);
}

std::int32_t CLng(std::string_view text) { return CLng(ConvertOrRaise(text)); }

std::int16_t CInt(double value) {
  double rounded = RoundHalfEven(value);
  if (!(rounded >= -32768.0 && rounded <= 32767.0)) RaiseRuntimeError(kOverflow);
  return static_cast<std::int16_t>(rounded);
}

std::int16_t CInt(std::string_view text) { return CInt(ConvertOrRaise(text)); }

double CDbl(std::string_view text) {
  double value = ConvertOrRaise(text);
  if (std::isinf(value)) RaiseRuntimeError(kOverflow);
  return value;
}

double Val(std::string_view text) {
  Cursor cursor(text, true);
  std::optional<double> value;
  if (cursor.peek() == '&') {
    cursor.next();
    value = ScanRadix(cursor);
  } else if (std::optional<std::string> number = ScanDecimal(cursor, false)) {
    value = ToDouble(*number);
  }
  if (!value) return 0;
  if (std::isinf(*value)) RaiseRuntimeError(kOverflow);
  return *value;
}

bool IsNumeric(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  bool digits = false;
  while (pos < text.size() && IsDigit(text[pos])) ++pos, digits = true;
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    while (pos < text.size() && IsDigit(text[pos])) ++pos, digits = true;
  }
  return digits && pos == text.size();
}

std::string CStr(std::int64_t value) { return std::to_string(value); }

std::string CStr(double value) {
  if (value == 0) return "0";
  if (!std::isfinite(value)) return value > 0 ? "inf" : "-inf";
  // 15 significant digits, then the runtime's choice of notation.
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
  std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  std::size_t ePos = text.find('e');
  std::string digits;
  for (char c : text.substr(0, ePos)) {
    if (c != '.') digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  int exponent = 0;
  std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+' ? 1 : 0), text.data() + text.size(), exponent);

  std::string out = value < 0 ? "-" : "";
  int count = static_cast<int>(digits.size());
  if (exponent >= -5 && exponent < 15) {
    if (exponent < 0) {
      out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (count <= exponent + 1) {
      out += digits + std::string(static_cast<std::size_t>(exponent + 1 - count), '0');
    } else {
      out += digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
             digits.substr(static_cast<std::size_t>(exponent + 1));
    }
    return out;
  }
  out += digits.substr(0, 1);
  if (count > 1) out += "." + digits.substr(1);
  std::string power = std::to_string(std::abs(exponent));
  if (power.size() < 2) power.insert(0, "0");
  out += std::string("E") + (exponent < 0 ? "-" : "+") + power;
  return out;
}

}  // namespace platform::vb
