#include "gui/control_view.h"

#include <QSignalBlocker>

#include "gui/conversions.h"

namespace tessaly::gui {

ControlView::ControlView(Control& control, QWidget* widget) : serial_(control.serial()), widget_(widget) {
  widget->setObjectName(ToQt(control.Name()) +
                        (control.IndexIfArray() ? QString("(%1)").arg(*control.IndexIfArray()) : QString()));
}

ControlView::~ControlView() { delete widget_.data(); }

void ControlView::Sync(Control& control) {
  if (!widget_) return;
  QSignalBlocker blocker(widget_);
  if (visible_.Changed(control.Visible())) widget_->setVisible(control.Visible());
  if (enabled_.Changed(control.Enabled())) widget_->setEnabled(control.Enabled());
  if (toolTip_.Changed(control.ToolTipText())) widget_->setToolTip(ToQt(control.ToolTipText()));
  SyncKind(control);
}

QSize ControlView::NaturalSize() const { return widget_ ? widget_->sizeHint() : QSize(); }

void ControlView::Place(const QRect& pixels) {
  if (widget_ && place_.Changed(pixels)) widget_->setGeometry(pixels);
}

void ControlView::Queue(std::function<void(Control&)> action) const {
  std::uint64_t serial = serial_;
  platform::forms::QueueEvent([serial, action] {
    if (Control* live = platform::forms::LiveControl(serial)) action(*live);
  });
}

}  // namespace tessaly::gui
