#pragma once
// What the suite's number fields accept: blanks around, an optional sign and
// decimal digits, nothing else.
#include <cstdint>
#include <optional>
#include <string_view>

namespace tuning {

// The number, when the text is one and fits 32 bits signed.
std::optional<std::int32_t> WholeNumber(std::string_view text);

}  // namespace tuning
