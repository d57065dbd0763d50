#pragma once
// A top-level window dragged by its body (a caption press the program sends
// while the user holds the mouse on it): the platform moves the window when
// it can; elsewhere the window follows the cursor, keeping its offset from
// it, until the left button is released.
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <optional>

namespace tessaly::gui {

class WindowDrag : public QObject {
 public:
  WindowDrag() = default;
  ~WindowDrag() override;

  void Start(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Stop();

  QPointer<QWidget> window_;
  std::optional<QPoint> anchor_;  // the cursor at the first move, global pixels
  QPoint origin_;                 // the window's position then
};

}  // namespace tessaly::gui
