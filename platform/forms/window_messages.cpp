#include "platform/forms/window_messages.h"

#include <cstdio>
#include <string>

#include "platform/base/journal.h"

namespace platform::forms {
namespace {

struct MouseRow {
  UINT message;
  int button;
  enum Which { Down, Up, Move } which;
};

constexpr MouseRow kMouseRows[] = {
    {WM_MOUSEMOVE, 0, MouseRow::Move},   {WM_LBUTTONDOWN, 1, MouseRow::Down},
    {WM_LBUTTONUP, 1, MouseRow::Up},     {WM_LBUTTONDBLCLK, 1, MouseRow::Down},
    {WM_RBUTTONDOWN, 2, MouseRow::Down}, {WM_RBUTTONUP, 2, MouseRow::Up},
    {WM_RBUTTONDBLCLK, 2, MouseRow::Down},
};

// MK_LBUTTON 1, MK_RBUTTON 2, MK_SHIFT 4, MK_CONTROL 8.
int ButtonsHeld(WPARAM keys) { return (keys & 1 ? 1 : 0) | (keys & 2 ? 2 : 0); }
int ShiftState(WPARAM keys) { return (keys & 4 ? 1 : 0) | (keys & 8 ? 2 : 0); }

std::function<void(HWND)>& CaptionDragObserver() {
  static auto* observer = new std::function<void(HWND)>;
  return *observer;
}

}  // namespace

std::string HexText(std::uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%X", value);
  return buffer;
}

void SetCaptionDragObserver(std::function<void(HWND)> observer) { CaptionDragObserver() = std::move(observer); }

LRESULT HandleSharedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            const MouseEvents& events) {
  for (const auto& row : kMouseRows) {
    if (row.message != message) continue;
    float x = static_cast<float>(static_cast<std::int16_t>(lParam & 0xFFFF)) * kTwipsPerPixel;
    float y = static_cast<float>(static_cast<std::int16_t>((lParam >> 16) & 0xFFFF)) * kTwipsPerPixel;
    int button = row.which == MouseRow::Move ? ButtonsHeld(wParam) : row.button;
    const MouseEvent& event =
        row.which == MouseRow::Down ? events.down : row.which == MouseRow::Up ? events.up : events.move;
    event.Raise(button, ShiftState(wParam), x, y);
    return 0;
  }
  if (message == WM_NULL) return 0;
  if (message == WM_NCLBUTTONDOWN && wParam == HTCAPTION) {
    TheJournal().Record("Drag", {HexText(window)});
    if (std::function<void(HWND)> observer = CaptionDragObserver()) observer(window);
    return 0;
  }
  TheJournal().Record("WindowMessage",
                      {HexText(window), HexText(message), std::to_string(wParam), std::to_string(lParam)});
  return 0;
}

}  // namespace platform::forms
