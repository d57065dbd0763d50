#pragma once
// The user's mouse on a drawn window as the messages Windows sends it:
// presses, releases, double clicks and moves of the left and right buttons,
// with the held keys in wParam and the position (pixels, inside the window)
// in lParam. They are queued, so the model's MouseDown, MouseUp and
// MouseMove run at the next loop turn.
#include <QEvent>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "platform/forms/window_types.h"

class QMouseEvent;

namespace tessaly::gui {

struct MouseMessage {
  UINT message;
  WPARAM keys;   // MK_LBUTTON 1, MK_RBUTTON 2, MK_SHIFT 4, MK_CONTROL 8, MK_MBUTTON 0x10
  LPARAM point;  // x in the low word, y in the high word
};

// The message a Qt mouse event stands for, at `at` (pixels inside the
// window); none for buttons Windows programs here never see (middle, extra).
std::optional<MouseMessage> ToMouseMessage(const QMouseEvent& event, QPoint at);

// Watches the mouse events of a window's widgets and hands each one's
// message to `deliver` as a queued event. Moves are coalesced: while one is
// waiting for its turn, later ones only update where it points.
class MouseForwarder : public QObject {
 public:
  using Deliver = std::function<void(const MouseMessage&)>;

  // `window` is what positions are measured from; `wanted` says, when an
  // event comes, whether the model wants it at all.
  MouseForwarder(QWidget* window, Deliver deliver, std::function<bool()> wanted);
  // Also forwards what `part` (a viewport, a child) receives.
  void Watch(QWidget* part);
  // A press or release forwarded goes no further: a windowless control's
  // mouse is its own, not its form's.
  void KeepForwarded() { keep_ = true; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> window_;
  Deliver deliver_;
  std::function<bool()> wanted_;
  bool keep_ = false;
  // The event last forwarded: one the part ignores reaches its parent again.
  const QEvent* lastEvent_ = nullptr;
  QEvent::Type lastType_ = QEvent::None;
  quint64 lastTimestamp_ = 0;
  // The move waiting for its turn, shared with the queued event.
  std::shared_ptr<std::optional<MouseMessage>> pendingMove_;
};

}  // namespace tessaly::gui
