#pragma once
// A value read or written by property name (late-bound access), and the
// conversions the runtime applies between them.
#include <cstdint>
#include <string>
#include <variant>

namespace platform::forms {

using Property = std::variant<std::monostate, bool, std::int32_t, double, std::string>;

// Runtime conversions; a value that does not convert raises 13.
std::int32_t PropertyToLong(const Property& value);
bool PropertyToBool(const Property& value);
double PropertyToDouble(const Property& value);
std::string PropertyToText(const Property& value);

}  // namespace platform::forms
