#pragma once
// The runtime's number conversions, in the fixed English (United States)
// locale: decimal ".", thousands ",". Failures raise runtime errors 13
// (text that is not a number) and 6 (out of the target's range).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

}  // namespace platform::vb
