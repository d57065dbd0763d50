#pragma once
// A program's Refresh asks for its windows to be drawn now, between loop
// turns, without dispatching anything. Headless nothing draws; a renderer
// installs itself as the one observer (empty = none) and catches up there.
// It belongs to whoever installed it, so a runtime reset keeps it.
#include <functional>

namespace platform::forms {

void SetRepaintObserver(std::function<void()> observer);
// Form.Refresh and Control.Refresh: tells the observer, if any.
void RequestRepaint();

}  // namespace platform::forms
