#pragma once
// CheckBox (Value 0 unticked, 1 ticked, 2 greyed) and OptionButton (one
// True per container).
#include "platform/forms/controls/captioned.h"

namespace platform::forms {

enum : int { vbUnchecked = 0, vbChecked = 1, vbGrayed = 2 };

class CheckBox : public CaptionedControl {
 public:
  CheckBox(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : CaptionedControl(form, std::move(name), ControlKind::CheckBox, container, index) {}
  int Value() const { return value_; }
  // 0, 1 or 2 (else 380, unchanged); a real change raises Click.
  void Value(int value);
  Event<> Click;

 protected:
  const ControlMembers& Members() const override;
  void OnUserClick(int) override { Value(value_ == vbChecked ? vbUnchecked : vbChecked); }

 private:
  int value_ = vbUnchecked;
};

class OptionButton : public CaptionedControl {
 public:
  OptionButton(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : CaptionedControl(form, std::move(name), ControlKind::OptionButton, container, index) {}
  bool Value() const { return value_; }
  // True clears the other option buttons of the container silently and
  // raises Click when this one was not already chosen.
  void Value(bool value);
  Event<> Click;

 protected:
  const ControlMembers& Members() const override;
  void OnUserClick(int) override { Value(true); }

 private:
  bool value_ = false;
};

}  // namespace platform::forms
