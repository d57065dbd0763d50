#pragma once
// The runtime's number conversions, in the fixed English (United States)
// locale: decimal ".", thousands ",". Failures raise runtime errors 13
// (text that is not a number) and 6 (out of the target's range).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/runtime/dates.h"

namespace platform::vb {

// Text read as an en-US number: blanks around, a leading sign, digits with ","
// between them, one ".", an E or D exponent; or an &H / &O literal, an Integer
// when its value fits 16 bits and a Long when it fits 32 (&HFFFF is -1).
// nullopt for any other text; an exponent past the Double range gives
// +/-infinity, which the converters report as overflow.
std::optional<double> ParseNumber(std::string_view text);

// Round half to even (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

std::int32_t CLng(double value);
std::int32_t CLng(std::string_view text);
std::int16_t CInt(double value);
std::int16_t CInt(std::string_view text);
double CDbl(std::string_view text);

// The leading number of the text ("" and text without one give 0).
double Val(std::string_view text);
// An optional sign, digits, an optional "." with digits, at least one digit,
// blanks around; nothing else ("&H10", "1,000", "1e5" are not numeric).
bool IsNumeric(std::string_view text);

std::string CStr(std::int64_t value);
// Up to 15 significant digits; fixed notation for 1E-5 <= |x| < 1E15, else
// "1.23456789012345E+20" with a signed exponent of at least two digits.
std::string CStr(double value);

// Text read as a Date: a day, a time of day, or a day followed or preceded
// by a time. Days: "M/d/yyyy", "M/d/yy" (00-29 are 2000-2029, 30-99
// 1930-1999), "yyyy-mm-dd", "-" and "/" alike; or with the month's English
// name or its abbreviation (any case, "." allowed): "Dec 12, 2001",
// "12 December 2001", "12-Dec-01", "2001 Dec 12", after an optional day of
// the week ("Wednesday, December 12, 2001"). Times: "h:mm", "h:mm:ss", each
// optionally with AM or PM, and "h AM"; a time alone is on day 0. A day
// that does not exist ("2/31/2005") or a year outside 100..9999 is no date.
std::optional<forms::Date> ParseDate(std::string_view text);
bool IsDate(std::string_view text);
// ParseDate's value; text that is no date raises 13.
forms::Date CDate(std::string_view text);
// The day alone (time 0) and the time alone (day 0).
forms::Date DateValue(std::string_view text);
forms::Date TimeValue(std::string_view text);

}  // namespace platform::vb
