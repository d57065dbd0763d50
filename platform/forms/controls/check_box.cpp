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

const ControlMembers& CheckBox::Members() const {
  static const ControlMembers members = ControlMembers::Extend<CheckBox>(CaptionedControl::Members())
      .Property("Value", &CheckBox::Value, &CheckBox::Value);
  return members;
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

const ControlMembers& OptionButton::Members() const {
  static const ControlMembers members = ControlMembers::Extend<OptionButton>(CaptionedControl::Members())
      .Property("Value", &OptionButton::Value, &OptionButton::Value);
  return members;
}

}  // namespace platform::forms
