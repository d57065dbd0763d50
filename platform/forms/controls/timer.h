#pragma once
// Timer: fires its event on the machine's clock once per due interval.
#include "platform/forms/control.h"

namespace platform::forms {

class Timer : public Control {
 public:
  Timer(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {});
  ~Timer() override;

  // 0..65,535 ms; 0 disables; anything else raises 380. Restarts the count.
  std::int32_t Interval() const { return interval_; }
  void Interval(std::int32_t milliseconds);
  bool Enabled() const { return Control::Enabled(); }
  void Enabled(bool value);  // restarts the count

  Event<> TimerEvent;  // the Timer event

  // Used by the message loop.
  bool Due(std::uint64_t nowMs) const;
  void Fire(std::uint64_t nowMs);
  // When the timer is next due; nullopt when it never will be.
  std::optional<std::uint64_t> NextDue() const;
  void Detach() override;

 protected:
  const ControlMembers& Members() const override;

 private:
  void Restart();

  std::int32_t interval_ = 0;
  std::uint64_t startMs_ = 0;
  bool running_ = false;
  bool registered_ = false;
};

}  // namespace platform::forms
