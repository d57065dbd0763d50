#include "gui/window_drag.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>

namespace tessaly::gui {

WindowDrag::~WindowDrag() { Stop(); }

void WindowDrag::Start(QWidget* window) {
  if (!window || !window->isVisible()) return;
  window = window->window();
  if (window_ == window) return;  // already following: the program asks at every move
  Stop();
  // The press that asked for the drag may be over by the time its command
  // runs: a move begun then would follow the pointer with no button held.
  if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) return;
  if (QWindow* handle = window->windowHandle(); handle && handle->startSystemMove()) return;
  window_ = window;
  anchor_.reset();
  QCoreApplication::instance()->installEventFilter(this);
}

void WindowDrag::Stop() {
  if (!window_) return;
  window_ = nullptr;
  if (QCoreApplication* application = QCoreApplication::instance()) application->removeEventFilter(this);
}

bool WindowDrag::eventFilter(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: Stop(); return false;
    case QEvent::MouseMove: break;
    default: return false;
  }
  const auto& mouse = static_cast<const QMouseEvent&>(*event);
  if (!(mouse.buttons() & Qt::LeftButton) || !window_) {
    Stop();
    return false;
  }
  QPoint cursor = mouse.globalPosition().toPoint();
  if (!anchor_) {
    anchor_ = cursor;
    origin_ = window_->pos();
  }
  window_->move(origin_ + (cursor - *anchor_));
  return false;
}

}  // namespace tessaly::gui
