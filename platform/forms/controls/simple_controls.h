#pragma once
// The plain captioned controls: CommandButton, Label, Frame, PictureBox.
#include "platform/forms/controls/captioned.h"

namespace platform::forms {

class CommandButton : public CaptionedControl {
 public:
  CommandButton(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : CaptionedControl(form, std::move(name), ControlKind::CommandButton, container, index) {}
  // Setting Value to True clicks the button.
  void Value(bool pressed) {
    if (pressed) Click.Raise();
  }
  Event<> Click;

 protected:
  void OnUserClick(int) override { Click.Raise(); }
};

// A label: "&&" in its caption shows one "&" (ShownCaption).
class Label : public CaptionedControl {
 public:
  Label(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : CaptionedControl(form, std::move(name), ControlKind::Label, container, index) {}
  long BackColor() const { return backColor_; }
  void BackColor(long value) { backColor_ = value; }
  // The caption as shown: "&&" becomes "&", a single "&" marks the access key.
  std::string ShownCaption() const;
  Event<> Click;

 protected:
  void OnUserClick(int) override { Click.Raise(); }

 private:
  long backColor_ = 0x8000000F;
};

// A frame is a container; disabling it blocks input to its children.
class Frame : public CaptionedControl {
 public:
  Frame(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : CaptionedControl(form, std::move(name), ControlKind::Frame, container, index) {}
};

class PictureBox : public Control {
 public:
  PictureBox(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : Control(form, std::move(name), ControlKind::PictureBox, container, index) {}
  Event<> Click;

 protected:
  void OnUserClick(int) override { Click.Raise(); }
};

}  // namespace platform::forms
