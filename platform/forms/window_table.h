#pragma once
// The windows of the running program: one record per form and windowed
// control, with its parent, its children in z-order and its window-procedure
// slot. Handles come from a counter that starts at a fixed value.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/window_types.h"

namespace platform::forms {

// What owns a window: a form or a windowed control.
class WindowTarget {
 public:
  virtual ~WindowTarget() = default;
  virtual std::string WindowText() const = 0;
  virtual std::string WindowClass() const = 0;
  // The runtime's own handling of a message (the bottom of the chain).
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

struct WindowRecord {
  WindowTarget* target = nullptr;
  HWND parent = 0;
  std::vector<HWND> children;  // top of the z-order first
  LONG procedure = 0;          // the current window procedure, as stored
};

class WindowTable {
 public:
  // Creates a window on top of its siblings; parent 0 is the desktop.
  HWND Create(WindowTarget& target, HWND parent);
  // Removes the window; its remaining children move to the desktop.
  void Destroy(HWND window);
  WindowRecord* Find(HWND window);
  // Children of `parent` (0: the top-level windows), top first.
  const std::vector<HWND>& Children(HWND parent);
  // Moves `window` under `parent`, on top; returns the old parent.
  HWND Reparent(HWND window, HWND parent);
  void BringToTop(HWND window);
  void SendToBack(HWND window);
  // A new icon handle (every form is given its own icon); icon handles have
  // their own counter, never 0.
  std::uint32_t NewIcon() { return nextIcon_++; }
  void Reset();

 private:
  std::vector<HWND>& SiblingsOf(HWND parent);
  void Unlink(HWND window);

  std::vector<std::pair<HWND, WindowRecord>> records_;
  std::vector<HWND> topLevel_;
  HWND next_ = kFirstHandle;
  static constexpr HWND kFirstHandle = 0x000100A4;
  std::uint32_t nextIcon_ = kFirstIcon;
  static constexpr std::uint32_t kFirstIcon = 0x00010003;
};

WindowTable& Windows();

// Window procedures are stored in LONG slots: each procedure gets a stable
// LONG id, and an id turns back into the procedure.
LONG ProcedureId(WNDPROC procedure);
WNDPROC ProcedureFromId(LONG id);
// The runtime's own window procedure: hands the message to the window's owner.
LRESULT RuntimeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform::forms
