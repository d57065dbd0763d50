#pragma once
// Draws every loaded form of the runtime with Qt Widgets and feeds the
// user's input back as queued events. A form is a top-level window unless
// its window has been moved into another (SetParent): it is then drawn
// inside that window's widget, at its own Left and Top. Needs a QApplication. While it lives,
// it is the runtime's turn observer (each DoEvents turn brings the windows
// up to date and collects input) and the answer provider's interactive
// backend (message boxes, input boxes and pickers are real dialogs), and
// it moves a form's window when the program drags it by its body.
#include <QWidget>
#include <chrono>
#include <map>
#include <memory>

#include "gui/splash_window.h"
#include "gui/tray_icons.h"
#include "gui/window_drag.h"
#include "platform/forms/form.h"

namespace tessaly::gui {

class FormView;
struct Placement;

class Renderer {
 public:
  Renderer();
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // Brings every window up to date with the model now.
  void Sync();
  // Sync, then draws the shown windows at once (the program's Refresh, and
  // the last state before the program ends). Dispatches nothing.
  void Repaint();
  // The window of a loaded form (a child widget while it is drawn inside
  // another window), and the widget of a control (null when not drawn).
  // Valid until the next Sync.
  QWidget* WindowOf(const platform::forms::Form& form) const;
  QWidget* WidgetOf(const platform::forms::Control& control) const;
  // The system tray icon drawn for the notification-area icon (window, id).
  QSystemTrayIcon* TrayIconOf(HWND window, UINT id) const { return trayIcons_.Find(window, id); }

  // Runs the Qt event loop with the runtime's turns on it until the last
  // form unloads. A process end (or any other exception) escaping a
  // handler leaves the Qt loop first and is then rethrown.
  void Run();

 private:
  // Where the form's window is drawn, from its parent window.
  Placement PlacementOf(const platform::forms::Form& form) const;
  void OnTurn();
  void Tick();
  void OnCaptionDrag(HWND window);

  std::map<const platform::forms::Form*, std::unique_ptr<FormView>> forms_;
  SplashWindows splashes_;
  TrayIcons trayIcons_;
  WindowDrag drag_;
  std::chrono::steady_clock::time_point lastSync_{};
  bool ticking_ = false;
};

}  // namespace tessaly::gui
