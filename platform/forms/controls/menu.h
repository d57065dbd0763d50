#pragma once
// Menu: an item of a form's menu bar or of a sub-menu (its container is the
// parent menu). "-" as caption is a separator.
#include "platform/forms/controls/captioned.h"

namespace platform::forms {

class Menu : public CaptionedControl {
 public:
  Menu(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : CaptionedControl(form, std::move(name), ControlKind::Menu, container, index) {}
  bool Checked() const { return checked_; }
  void Checked(bool value) { checked_ = value; }
  bool IsSeparator() const { return Caption() == "-"; }
  Event<> Click;

 protected:
  void OnUserClick(int) override {
    if (!IsSeparator()) Click.Raise();
  }

 private:
  bool checked_ = false;
};

}  // namespace platform::forms
