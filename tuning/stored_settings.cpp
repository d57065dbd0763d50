#include "tuning/stored_settings.h"

#include "platform/base/cp1252.h"
#include "platform/forms/controls/check_box.h"
#include "platform/forms/strings.h"
#include "platform/runtime/conversions.h"
#include "tuning/suite_registry.h"

namespace tuning {

int StoredCheckValue(const std::string& key, const std::string& name) {
  std::string text = GetSettingHKLM(key, name, "0");
  if (!platform::vb::IsNumeric(text)) return platform::forms::vbUnchecked;
  double value = platform::vb::Val(text);
  if (value == 1 || value == 2) return static_cast<int>(value);  // ticked or greyed
  return platform::forms::vbUnchecked;
}

bool StoredBoolean(const std::string& key, const std::string& name, bool fallback) {
  std::string text = platform::forms::Trim(GetSettingHKLM(key, name, BooleanText(fallback)));
  if (platform::EqualsNoCase(text, "True")) return true;
  if (platform::EqualsNoCase(text, "False")) return false;
  return fallback;
}

}  // namespace tuning
