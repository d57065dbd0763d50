#pragma once
// Stand-in for ACTIVESPLASHLibCtl.Splash: a picture path and Show. Headless
// it records; the renderer shows the picture until the main window shows.
#include "platform/forms/control.h"

namespace platform::activex {

class Splash : public forms::Control {
 public:
  Splash(forms::Form& form, std::string name, forms::Control* container = nullptr, std::optional<int> index = {})
      : Control(form, std::move(name), forms::ControlKind::Splash, container, index) {}
  const std::string& Path() const { return path_; }
  void Path(std::string value) { path_ = std::move(value); }
  void Show();
  bool shown() const { return shown_; }

 private:
  std::string path_;
  bool shown_ = false;
};

}  // namespace platform::activex
