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
  bool GetNamed(std::string_view property, Property& value) const override {
    if (property == "Caption") return value = caption_, true;
    return false;
  }
  bool LetNamed(std::string_view property, const Property& value) override {
    if (property == "Caption") return Caption(vb::CStr(value)), true;
    return false;
  }

 private:
  std::string caption_;
};

}  // namespace platform::forms
