#pragma once
// The controls whose text is a Caption (buttons, labels, frames, check and
// option boxes, menus).
#include "platform/forms/control.h"

namespace platform::forms {

class CaptionedControl : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  void Caption(std::string value) { caption_ = std::move(value); }

 protected:
  const ControlMembers& Members() const override {
    static const ControlMembers members = ControlMembers::Extend<CaptionedControl>(Control::Members())
        .Property("Caption", &CaptionedControl::Caption, &CaptionedControl::Caption);
    return members;
  }

 private:
  std::string caption_;
};

}  // namespace platform::forms
