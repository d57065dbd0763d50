#pragma once
// The runtime's variant as the support classes carry values: nothing, a text,
// a 16- or 32-bit integer, a double, a Boolean or a byte array.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

using ByteArray = std::vector<std::uint8_t>;
using Variant = std::variant<std::monostate, std::string, std::int16_t, std::int32_t, double, bool, ByteArray>;

// The variant as text, as joining it to a string would give it: empty gives
// "", integers decimal, Booleans "True"/"False", byte arrays their bytes.
std::string VariantText(const Variant& value);
