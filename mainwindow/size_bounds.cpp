#include "mainwindow/size_bounds.h"

#include <limits>
#include <optional>

#include "platform/forms/strings.h"
#include "platform/runtime/conversions.h"

namespace {

// A numeric text that is a whole number and fits 32 bits; nothing else.
std::optional<std::int32_t> WholeNumber(const std::string& text) {
  std::size_t digits = text[0] == '-' || text[0] == '+' ? 1 : 0;
  if (digits == text.size() || text.size() - digits > 10) return std::nullopt;
  for (std::size_t i = digits; i < text.size(); ++i)
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  long long value = std::stoll(text);
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(value);
}

SizeBound Read(const std::string& field, bool minimum) {
  std::string text = platform::forms::Trim(field);
  if (!platform::vb::IsNumeric(text)) return {-1, kSizesNotNumeric};
  auto value = WholeNumber(text);
  if (!value) return {-1, kSizesNotWhole};
  if (*value >= 0) return {*value, nullptr};
  if (minimum || *value == -1) return {-1, nullptr};
  // A negative maximum other than "-1" would match no file, or every file
  // if taken as no limit: neither can be what was meant.
  return {-1, kMaxNegative};
}

}  // namespace

SizeBound MinimumSizeBound(const std::string& field) { return Read(field, true); }
SizeBound MaximumSizeBound(const std::string& field) { return Read(field, false); }
