#include "platform/forms/controls/range_controls.h"

#include <algorithm>
#include <cctype>

#include "platform/base/runtime_error.h"
#include "platform/forms/controls/text_box.h"

namespace platform::forms {
namespace {

std::optional<std::int64_t> LeadingInteger(const std::string& text) {
  std::size_t at = text.find_first_not_of(' ');
  if (at == std::string::npos) return std::nullopt;
  bool negative = false;
  if (text[at] == '-' || text[at] == '+') negative = text[at++] == '-';
  if (at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) return std::nullopt;
  std::int64_t number = 0;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) && number < 10000000000LL)
    number = number * 10 + (text[at++] - '0');
  return negative ? -number : number;
}

}  // namespace

void Slider::Value(std::int32_t value) {
  if (value < std::min(min_, max_) || value > std::max(min_, max_)) RaiseRuntimeError(380);
  if (value == value_) return;
  value_ = value;
  Change.Raise();
}

void Slider::UserScroll(std::int32_t value) {
  if (!AcceptsInput()) return;
  value = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
  if (value == value_) return;
  value_ = value;
  Scroll.Raise();
  Change.Raise();
}

const ControlMembers& Slider::Members() const {
  static const ControlMembers members = ControlMembers::Extend<Slider>(Control::Members())
      .Property("Value", &Slider::Value, &Slider::Value);
  return members;
}

std::int32_t UpDown::Value() const {
  if (buddy_ && syncBuddy_) {
    if (auto number = LeadingInteger(buddy_->Text()))
      value_ = static_cast<std::int32_t>(std::clamp<std::int64_t>(*number, std::min(min_, max_), std::max(min_, max_)));
  }
  return value_;
}

void UpDown::Value(std::int32_t value) {
  if (value < std::min(min_, max_) || value > std::max(min_, max_)) RaiseRuntimeError(380);
  bool changed = value != Value();
  value_ = value;
  if (buddy_ && syncBuddy_) buddy_->Text(std::to_string(value));
  if (changed) Change.Raise();
}

void UpDown::UserStep(int direction) {
  if (!AcceptsInput()) return;
  std::int64_t next = static_cast<std::int64_t>(Value()) + static_cast<std::int64_t>(direction) * increment_;
  Value(static_cast<std::int32_t>(std::clamp<std::int64_t>(next, std::min(min_, max_), std::max(min_, max_))));
}

const ControlMembers& UpDown::Members() const {
  static const ControlMembers members = ControlMembers::Extend<UpDown>(Control::Members())
      .Property("Value", &UpDown::Value, &UpDown::Value);
  return members;
}

}  // namespace platform::forms
