#include "platform/forms/repaint.h"

namespace platform::forms {
namespace {

std::function<void()>& Observer() {
  static auto* observer = new std::function<void()>;
  return *observer;
}

}  // namespace

void SetRepaintObserver(std::function<void()> observer) { Observer() = std::move(observer); }

void RequestRepaint() {
  if (Observer()) Observer()();
}

}  // namespace platform::forms
