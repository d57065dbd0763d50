#include "platform/runtime/variant.h"

#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"
#include "platform/runtime/conversions.h"

namespace platform::vb {
namespace {

struct Number {
  double operator()(std::monostate) const { return 0; }
  double operator()(bool b) const { return b ? -1 : 0; }
  double operator()(std::int16_t v) const { return v; }
  double operator()(std::int32_t v) const { return v; }
  double operator()(double v) const { return v; }
  double operator()(const std::string& s) const { return CDbl(std::string_view(s)); }
  double operator()(const ByteArray&) const { RaiseRuntimeError(13); }
};

}  // namespace

std::int32_t CLng(const Variant& value) {
  if (auto* s = std::get_if<std::string>(&value)) return CLng(std::string_view(*s));
  return CLng(std::visit(Number{}, value));
}

std::int16_t CInt(const Variant& value) {
  if (auto* s = std::get_if<std::string>(&value)) return CInt(std::string_view(*s));
  return CInt(std::visit(Number{}, value));
}

double CDbl(const Variant& value) { return std::visit(Number{}, value); }

bool CBool(const Variant& value) {
  if (auto* s = std::get_if<std::string>(&value)) {
    if (EqualsNoCase(*s, "True")) return true;
    if (EqualsNoCase(*s, "False")) return false;
  }
  return CDbl(value) != 0;
}

std::string CStr(const Variant& value) {
  struct Text {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(bool b) const { return b ? "True" : "False"; }
    std::string operator()(std::int16_t v) const { return CStr(std::int64_t{v}); }
    std::string operator()(std::int32_t v) const { return CStr(std::int64_t{v}); }
    std::string operator()(double v) const { return CStr(v); }
    std::string operator()(const std::string& s) const { return s; }
    std::string operator()(const ByteArray& bytes) const { return {bytes.begin(), bytes.end()}; }
  };
  return std::visit(Text{}, value);
}

}  // namespace platform::vb
