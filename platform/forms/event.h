#pragma once
// An event of a form or control: one handler, run synchronously by whatever
// raises it. Handlers take their arguments as the runtime passes them
// (Cancel and KeyAscii by reference).
#include <functional>
#include <utility>

namespace platform::forms {

template <class... Args>
class Event {
 public:
  using Handler = std::function<void(Args...)>;

  void Handle(Handler handler) { handler_ = std::move(handler); }
  bool handled() const { return static_cast<bool>(handler_); }

  void Raise(Args... args) const {
    if (!handler_) return;
    Handler running = handler_;  // the handler may replace itself
    running(std::forward<Args>(args)...);
  }

 private:
  Handler handler_;
};

}  // namespace platform::forms

// Wires a control's event to a member procedure of the form:
//   TSY_ON(cmdOK, Click, cmdOK_Click);
#define TSY_ON(control, event, procedure) \
  (control).event.Handle([this](auto&&... args) { this->procedure(std::forward<decltype(args)>(args)...); })
