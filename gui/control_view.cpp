#include "gui/control_view.h"

#include <QSignalBlocker>

#include "gui/conversions.h"
#include "gui/skin_look.h"

namespace tessaly::gui {

void DressWidget(QWidget* widget, const SkinLook& look) {
  QPalette palette = widget->palette();
  if (look.back) {
    palette.setColor(QPalette::Window, *look.back);
    palette.setColor(QPalette::Button, *look.back);
  }
  if (look.fore) {
    // Greyed text stays visibly greyed on the skin's background.
    QColor greyed = QColor::fromRgbF(look.fore->redF() * 0.55, look.fore->greenF() * 0.55, look.fore->blueF() * 0.55);
    for (auto role : {QPalette::WindowText, QPalette::ButtonText}) {
      palette.setColor(role, *look.fore);
      palette.setColor(QPalette::Disabled, role, greyed);
    }
  }
  widget->setPalette(palette);
  QFont font = widget->font();
  if (!look.fontName.isEmpty()) font.setFamily(look.fontName);
  if (look.fontSize > 0) font.setPointSize(look.fontSize);
  if (look.bold) font.setBold(true);
  widget->setFont(font);
}

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

void ControlView::Dress(const SkinLook& look) {
  if (!widget_ || !look_.Changed(look.Signature())) return;
  DressWidget(widget_, look);
}

void ControlView::Queue(std::function<void(Control&)> action) const {
  std::uint64_t serial = serial_;
  platform::forms::QueueEvent([serial, action] {
    if (Control* live = platform::forms::LiveControl(serial)) action(*live);
  });
}

}  // namespace tessaly::gui
