#include "platform/forms/controls/timer.h"

#include "platform/base/runtime_error.h"
#include "platform/forms/event_loop.h"

namespace platform::forms {

Timer::Timer(Form& form, std::string name, Control* container, std::optional<int> index)
    : Control(form, std::move(name), ControlKind::Timer, container, index) {
  runtime::RegisterTimer(*this);
  registered_ = true;
  Restart();
}

Timer::~Timer() { Timer::Detach(); }

void Timer::Detach() {
  if (registered_) runtime::UnregisterTimer(*this);
  registered_ = false;
  Control::Detach();
}

void Timer::Restart() { startMs_ = RuntimeTickMs(); }

void Timer::Interval(std::int32_t milliseconds) {
  if (milliseconds < 0 || milliseconds > 65535) RaiseRuntimeError(380);
  interval_ = milliseconds;
  Restart();
}

void Timer::Enabled(bool value) {
  Control::Enabled(value);
  Restart();
}

std::optional<std::uint64_t> Timer::NextDue() const {
  if (!registered_ || !Enabled() || interval_ == 0) return std::nullopt;
  return startMs_ + static_cast<std::uint64_t>(interval_);
}

bool Timer::Due(std::uint64_t nowMs) const {
  auto next = NextDue();
  return next && !running_ && nowMs >= *next;
}

void Timer::Fire(std::uint64_t nowMs) {
  if (running_) return;
  startMs_ = nowMs;
  running_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{running_};
  RunAsUserEvent([this] { TimerEvent.Raise(); });
}

const ControlMembers& Timer::Members() const {
  static const ControlMembers members = ControlMembers::Extend<Timer>(Control::Members())
      .Property("Interval", &Timer::Interval, &Timer::Interval)
      .Property("Enabled", &Timer::Enabled, &Timer::Enabled);
  return members;
}

}  // namespace platform::forms
