#pragma once
// The runtime's handling of the messages every window shares: mouse
// messages become mouse events, a caption drag is recorded, anything not
// understood is recorded and answered with 0.
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

LRESULT HandleSharedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            const MouseEvents& events);

}  // namespace platform::forms
