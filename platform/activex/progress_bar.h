#pragma once
// Stand-in for CXXPROGRESSBARLib.CxxProgressBar: Value (dispid 3, a Single
// percentage clamped to 0..100; NaN leaves it unchanged), Visible, and a
// stored style number (dispid 14). Every value set is recorded.
#include <vector>

#include "platform/activex/dispatch.h"
#include "platform/forms/control.h"

namespace platform::activex {

constexpr DISPID kDispidProgressValue = 3;
constexpr DISPID kDispidProgressStyle = 14;

class ProgressBar : public forms::Control {
 public:
  ProgressBar(forms::Form& form, std::string name, forms::Control* container = nullptr, std::optional<int> index = {})
      : Control(form, std::move(name), forms::ControlKind::ProgressBar, container, index) {}

  float Value() const { return value_; }
  void Value(float percent);
  std::int32_t Style() const { return style_; }
  void Style(std::int32_t style) { style_ = style; }
  const forms::ControlMembers& Members() const override;

  // Every value set, as given (before clamping).
  const std::vector<float>& history() const { return history_; }

 private:
  float value_ = 0;
  std::int32_t style_ = 0;
  std::vector<float> history_;
};

}  // namespace platform::activex
