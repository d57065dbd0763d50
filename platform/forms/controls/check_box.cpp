#include "platform/forms/controls/check_box.h"

#include "platform/base/runtime_error.h"
#include "platform/forms/form.h"

namespace platform::forms {

void CheckBox::Value(int value) {
  if (value < vbUnchecked || value > vbGrayed) RaiseRuntimeError(380);
  if (value == value_) return;
  value_ = value;
  Click.Raise();
}

bool CheckBox::GetNamed(std::string_view property, Property& value) const {
  if (property == "Value") return value = std::int32_t{value_}, true;
  return CaptionedControl::GetNamed(property, value);
}

bool CheckBox::LetNamed(std::string_view property, const Property& value) {
  if (property == "Value") return Value(vb::CLng(value)), true;
  return CaptionedControl::LetNamed(property, value);
}

void OptionButton::Value(bool value) {
  if (value == value_) return;
  value_ = value;
  if (!value) return;
  for (Control* control : Parent().Controls()) {
    if (control == this || !control->IsKind(ControlKind::OptionButton)) continue;
    if (control->Container() == Container()) static_cast<OptionButton*>(control)->value_ = false;
  }
  Click.Raise();
}

bool OptionButton::GetNamed(std::string_view property, Property& value) const {
  if (property == "Value") return value = value_, true;
  return CaptionedControl::GetNamed(property, value);
}

bool OptionButton::LetNamed(std::string_view property, const Property& value) {
  if (property == "Value") return Value(vb::CBool(value)), true;
  return CaptionedControl::LetNamed(property, value);
}

}  // namespace platform::forms
