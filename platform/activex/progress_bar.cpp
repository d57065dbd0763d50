#include "platform/activex/progress_bar.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/base/journal.h"
#include "platform/base/runtime_error.h"

namespace platform::activex {

void ProgressBar::Value(float percent) {
  history_.push_back(percent);
  TheJournal().Record("Progress", {Name(), std::to_string(percent)});
  if (std::isnan(percent)) return;
  value_ = std::clamp(percent, 0.0f, 100.0f);
}

const forms::ControlMembers& ProgressBar::Members() const {
  static const forms::ControlMembers members = forms::ControlMembers::Extend<ProgressBar>(Control::Members())
      .Property("Value", kDispidProgressValue, &ProgressBar::Value, &ProgressBar::Value)
      .Property("Style", kDispidProgressStyle, &ProgressBar::Style, &ProgressBar::Style);
  return members;
}

}  // namespace platform::activex
