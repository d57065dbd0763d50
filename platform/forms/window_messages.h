#pragma once
// The runtime's handling of the messages every window shares: mouse
// messages become mouse events, a caption drag is recorded (and handed to
// whoever moves real windows), anything not understood is recorded and
// answered with 0.
#include <functional>
#include <string>

#include "platform/forms/event.h"
#include "platform/forms/window_types.h"

namespace platform::forms {

using MouseEvent = Event<int, int, float, float>;  // Button, Shift, X, Y (twips)

struct MouseEvents {
  const MouseEvent& down;
  const MouseEvent& move;
  const MouseEvent& up;
};

// Twips per pixel of the emulated screen.
constexpr float kTwipsPerPixel = 15.0f;

// A handle or message number as the journal writes it ("0x100A4").
std::string HexText(std::uint32_t value);

// Told of every caption drag a window is asked for, after the record: a
// renderer starts moving the real window there. One observer; empty = none
// (headless). It belongs to whoever installed it, so a runtime reset keeps it.
void SetCaptionDragObserver(std::function<void(HWND)> observer);

LRESULT HandleSharedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            const MouseEvents& events);

}  // namespace platform::forms
