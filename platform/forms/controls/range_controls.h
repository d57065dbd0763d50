#pragma once
// Slider and UpDown: a Value within Min..Max; a real change raises Change.
#include "platform/forms/control.h"

namespace platform::forms {

class TextBox;

class Slider : public Control {
 public:
  Slider(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : Control(form, std::move(name), ControlKind::Slider, container, index) {}
  std::int32_t Min() const { return min_; }
  void Min(std::int32_t value) { min_ = value; }
  std::int32_t Max() const { return max_; }
  void Max(std::int32_t value) { max_ = value; }
  std::int32_t Value() const { return value_; }
  void Value(std::int32_t value);  // outside Min..Max: 380
  std::int32_t SmallChange() const { return smallChange_; }
  void SmallChange(std::int32_t value) { smallChange_ = value; }
  std::int32_t LargeChange() const { return largeChange_; }
  void LargeChange(std::int32_t value) { largeChange_ = value; }
  std::int32_t TickFrequency() const { return tickFrequency_; }
  void TickFrequency(std::int32_t value) { tickFrequency_ = value; }
  // The user drags the thumb to `value` (clamped): Scroll, then Change.
  void UserScroll(std::int32_t value);
  Event<> Scroll, Change;

 protected:
  const ControlMembers& Members() const override;

 private:
  std::int32_t min_ = 0, max_ = 10, value_ = 0, smallChange_ = 1, largeChange_ = 5, tickFrequency_ = 1;
};

class UpDown : public Control {
 public:
  UpDown(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : Control(form, std::move(name), ControlKind::UpDown, container, index) {}
  std::int32_t Min() const { return min_; }
  void Min(std::int32_t value) { min_ = value; }
  std::int32_t Max() const { return max_; }
  void Max(std::int32_t value) { max_ = value; }
  // Follows the buddy's text: its leading integer clamped to Min..Max;
  // text without one keeps the last Value.
  std::int32_t Value() const;
  // Outside Min..Max: 380. Rewrites the buddy's text.
  void Value(std::int32_t value);
  std::int32_t Increment() const { return increment_; }
  void Increment(std::int32_t value) { increment_ = value; }
  TextBox* BuddyControl() const { return buddy_; }
  void BuddyControl(TextBox* buddy) { buddy_ = buddy; }
  bool SyncBuddy() const { return syncBuddy_; }
  void SyncBuddy(bool value) { syncBuddy_ = value; }
  // The user presses the up (+1) or down (-1) arrow.
  void UserStep(int direction);
  Event<> Change;

 protected:
  const ControlMembers& Members() const override;

 private:
  std::int32_t min_ = 0, max_ = 10, increment_ = 1;
  mutable std::int32_t value_ = 0;
  TextBox* buddy_ = nullptr;
  bool syncBuddy_ = true;
};

}  // namespace platform::forms
