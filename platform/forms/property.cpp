#include "platform/forms/property.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"

namespace platform::forms {
namespace {

double TextToNumber(const std::string& text) {
  char* end = nullptr;
  const char* begin = text.c_str();
  double number = std::strtod(begin, &end);
  while (end && *end == ' ') ++end;
  if (end == begin || !end || *end != '\0') RaiseRuntimeError(13);
  return number;
}

}  // namespace

double PropertyToDouble(const Property& value) {
  if (auto* b = std::get_if<bool>(&value)) return *b ? -1 : 0;
  if (auto* l = std::get_if<std::int32_t>(&value)) return *l;
  if (auto* d = std::get_if<double>(&value)) return *d;
  if (auto* s = std::get_if<std::string>(&value)) {
    if (EqualsNoCase(*s, "True")) return -1;
    if (EqualsNoCase(*s, "False")) return 0;
    return TextToNumber(*s);
  }
  return 0;
}

std::int32_t PropertyToLong(const Property& value) {
  double number = std::nearbyint(PropertyToDouble(value));
  if (number < -2147483648.0 || number > 2147483647.0) RaiseRuntimeError(6);
  return static_cast<std::int32_t>(number);
}

bool PropertyToBool(const Property& value) { return PropertyToDouble(value) != 0; }

std::string PropertyToText(const Property& value) {
  if (auto* b = std::get_if<bool>(&value)) return *b ? "True" : "False";
  if (auto* l = std::get_if<std::int32_t>(&value)) return std::to_string(*l);
  if (auto* d = std::get_if<double>(&value)) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", *d);
    return buffer;
  }
  if (auto* s = std::get_if<std::string>(&value)) return *s;
  return {};
}

}  // namespace platform::forms
