#include "support/variant.h"

#include "platform/runtime/conversions.h"

std::string VariantText(const Variant& value) {
  struct Visitor {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(const std::string& s) const { return s; }
    std::string operator()(std::int16_t v) const { return std::to_string(v); }
    std::string operator()(std::int32_t v) const { return std::to_string(v); }
    std::string operator()(double v) const { return platform::vb::CStr(v); }
    std::string operator()(bool v) const { return v ? "True" : "False"; }
    std::string operator()(const ByteArray& bytes) const { return {bytes.begin(), bytes.end()}; }
  };
  return std::visit(Visitor{}, value);
}
