#pragma once
// The runtime's one value type, as properties read by name, late-bound
// arguments, the support classes and the COM boundary carry values:
// Empty, a Boolean, an Integer, a Long, a Double, a String or a byte array.
// Every conversion between them follows the runtime's rules
// (platform/runtime/conversions.h); a value that does not convert raises
// 13, one out of range 6.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/runtime/conversions.h"

namespace platform::vb {

using ByteArray = std::vector<std::uint8_t>;
using Variant = std::variant<std::monostate, bool, std::int16_t, std::int32_t, double, std::string, ByteArray>;

// Text read as CLng/CDbl read it; Booleans are -1 and 0; Empty is 0.
std::int32_t CLng(const Variant& value);
std::int16_t CInt(const Variant& value);
double CDbl(const Variant& value);
// "True"/"False" in any case, or a number (non-zero is True).
bool CBool(const Variant& value);
// As joining the value to a string gives it: Empty "", numbers as CStr,
// Booleans "True"/"False", byte arrays their bytes.
std::string CStr(const Variant& value);

// A String argument reads as text, not as a Variant holding one.
inline std::int32_t CLng(const std::string& text) { return CLng(std::string_view(text)); }
inline std::int16_t CInt(const std::string& text) { return CInt(std::string_view(text)); }
inline double CDbl(const std::string& text) { return CDbl(std::string_view(text)); }

}  // namespace platform::vb
