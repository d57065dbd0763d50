#include "gui/mouse_input.h"

#include <QMouseEvent>

#include "platform/forms/event_loop.h"

namespace tessaly::gui {
namespace {

struct MessageRow {
  QEvent::Type type;
  Qt::MouseButton button;
  UINT message;
};

constexpr MessageRow kMessageRows[] = {
    {QEvent::MouseButtonPress, Qt::LeftButton, WM_LBUTTONDOWN},
    {QEvent::MouseButtonRelease, Qt::LeftButton, WM_LBUTTONUP},
    {QEvent::MouseButtonDblClick, Qt::LeftButton, WM_LBUTTONDBLCLK},
    {QEvent::MouseButtonPress, Qt::RightButton, WM_RBUTTONDOWN},
    {QEvent::MouseButtonRelease, Qt::RightButton, WM_RBUTTONUP},
    {QEvent::MouseButtonDblClick, Qt::RightButton, WM_RBUTTONDBLCLK},
    {QEvent::MouseMove, Qt::NoButton, WM_MOUSEMOVE},
};

WPARAM HeldKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  return (buttons & Qt::LeftButton ? 0x1 : 0) | (buttons & Qt::RightButton ? 0x2 : 0) |
         (modifiers & Qt::ShiftModifier ? 0x4 : 0) | (modifiers & Qt::ControlModifier ? 0x8 : 0) |
         (buttons & Qt::MiddleButton ? 0x10 : 0);
}

LPARAM PointParam(QPoint pixels) {
  return static_cast<LPARAM>((static_cast<std::uint32_t>(pixels.x()) & 0xFFFF) |
                             ((static_cast<std::uint32_t>(pixels.y()) & 0xFFFF) << 16));
}

}  // namespace

std::optional<MouseMessage> ToMouseMessage(const QMouseEvent& event, QPoint at) {
  for (const auto& row : kMessageRows)
    if (row.type == event.type() && row.button == event.button())
      return MouseMessage{row.message, HeldKeys(event.buttons(), event.modifiers()), PointParam(at)};
  return std::nullopt;
}

MouseForwarder::MouseForwarder(QWidget* window, Deliver deliver, std::function<bool()> wanted)
    : QObject(window),
      window_(window),
      deliver_(std::move(deliver)),
      wanted_(std::move(wanted)),
      pendingMove_(std::make_shared<std::optional<MouseMessage>>()) {
  Watch(window);
}

void MouseForwarder::Watch(QWidget* part) { part->installEventFilter(this); }

bool MouseForwarder::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: break;
    default: return false;
  }
  auto* part = qobject_cast<QWidget*>(watched);
  if (!part || !window_ || !wanted_()) return false;
  const auto& mouse = static_cast<const QMouseEvent&>(*event);
  if (event == lastEvent_ && event->type() == lastType_ && mouse.timestamp() == lastTimestamp_) return false;
  lastEvent_ = event;
  lastType_ = event->type();
  lastTimestamp_ = mouse.timestamp();
  QPoint at = part == window_ ? mouse.position().toPoint() : part->mapTo(window_, mouse.position().toPoint());
  std::optional<MouseMessage> message = ToMouseMessage(mouse, at);
  if (!message) return false;
  if (message->message != WM_MOUSEMOVE) {
    // Moves after this one wait in a slot of their own, so none overtakes it.
    if (pendingMove_->has_value()) pendingMove_ = std::make_shared<std::optional<MouseMessage>>();
    platform::forms::QueueEvent([deliver = deliver_, message = *message] { deliver(message); });
    return keep_;
  }
  bool waiting = pendingMove_->has_value();
  *pendingMove_ = message;
  if (!waiting)
    platform::forms::QueueEvent([deliver = deliver_, pending = pendingMove_] {
      if (!pending->has_value()) return;
      MouseMessage move = **pending;
      *pending = std::nullopt;
      deliver(move);
    });
  return false;
}

}  // namespace tessaly::gui
