#include "gui/control_view.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QRadioButton>
#include <QComboBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <utility>

#include "gui/conversions.h"
#include "gui/label_buddies.h"
#include "gui/mouse_input.h"
#include "gui/skin_look.h"
#include "platform/forms/user32.h"

namespace tessaly::gui {

QColor Greyed(const QColor& text, const QColor& background) {
  auto half = [](float a, float b) { return (a + b) / 2; };
  return QColor::fromRgbF(half(text.redF(), background.redF()), half(text.greenF(), background.greenF()),
                          half(text.blueF(), background.blueF()));
}

QColor HalfSeen(QColor color, double alpha) {
  color.setAlphaF(static_cast<float>(alpha));
  return color;
}

void DressWidget(QWidget* widget, const SkinLook& look) {
  QPalette palette = widget->palette();
  if (look.back) {
    palette.setColor(QPalette::Window, *look.back);
    palette.setColor(QPalette::Button, *look.back);
  }
  if (look.fore) {
    // Greyed text fades halfway into what it is drawn on, whether the skin
    // writes light on dark or dark on light.
    for (auto [role, under] : {std::pair{QPalette::WindowText, QPalette::Window},
                               std::pair{QPalette::ButtonText, QPalette::Button}}) {
      palette.setColor(role, *look.fore);
      palette.setColor(QPalette::Disabled, role, Greyed(*look.fore, palette.color(QPalette::Active, under)));
    }
    // A caption drawn straight on its container (a check box's, an option
    // button's) cannot know that colour yet: it is half seen through.
    if (!look.back) palette.setColor(QPalette::Disabled, QPalette::WindowText, HalfSeen(*look.fore));
  }
  // A greyed check box or option button: its box fades as its caption does.
  if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget)) {
    palette.setColor(QPalette::Disabled, QPalette::Base, HalfSeen(palette.color(QPalette::Active, QPalette::Base), 0.3));
    palette.setColor(QPalette::Disabled, QPalette::Text, HalfSeen(palette.color(QPalette::Active, QPalette::Text)));
  }
  widget->setPalette(palette);
  QFont font = widget->font();
  if (!look.fontName.isEmpty()) font.setFamily(look.fontName);
  if (look.fontSize > 0) font.setPointSize(look.fontSize);
  if (look.bold) font.setBold(true);
  widget->setFont(font);
}

namespace {

using platform::forms::LiveControl;

bool WantsMouse(const Control& control) {
  return control.AcceptsInput() &&
         (control.MouseDown.handled() || control.MouseUp.handled() || control.MouseMove.handled());
}

}  // namespace

ControlView::ControlView(Control& control, QWidget* widget) : serial_(control.serial()), widget_(widget) {
  widget->setObjectName(ToQt(control.Name()) +
                        (control.IndexIfArray() ? QString("(%1)").arg(*control.IndexIfArray()) : QString()));
  // The mouse on a control reaches its window procedure (subclasses see it)
  // or, for a windowless kind, its events; only controls that handle them.
  std::uint64_t serial = serial_;
  auto* forwarder = new MouseForwarder(
      widget,
      [serial](const MouseMessage& mouse) {
        Control* live = LiveControl(serial);
        if (!live || !live->AcceptsInput()) return;
        if (live->window()) SendMessageA(live->window(), mouse.message, mouse.keys, mouse.point);
        else live->OnMessage(mouse.message, mouse.keys, mouse.point);
      },
      [serial] {
        Control* live = LiveControl(serial);
        return live && WantsMouse(*live);
      });
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) forwarder->Watch(area->viewport());
  if (!control.window()) forwarder->KeepForwarded();
}

ControlView::~ControlView() { delete widget_.data(); }

void ControlView::Sync(Control& control) {
  if (!widget_) return;
  QSignalBlocker blocker(widget_);
  if (visible_.Changed(control.Visible())) widget_->setVisible(control.Visible());
  if (enabled_.Changed(control.Enabled())) widget_->setEnabled(control.Enabled());
  if (toolTip_.Changed(control.ToolTipText())) {
    ownTip_ = ToQt(control.ToolTipText());
    widget_->setToolTip(ownTip_);
  }
  // Moves without a button held come only to a control that handles them.
  if (bool tracking = control.MouseMove.handled(); tracking_.Changed(tracking)) {
    widget_->setMouseTracking(tracking);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget_.data())) area->viewport()->setMouseTracking(tracking);
  }
  SyncKind(control);
}

QSize ControlView::NaturalSize() const { return widget_ ? widget_->sizeHint() : QSize(); }

void ControlView::Place(const QRect& pixels) {
  if (widget_ && place_.Changed(pixels)) widget_->setGeometry(pixels);
  TipWholeTextWhenCut();
}

// A caption cut by its control's size can still be read: the whole text
// becomes the tool tip, unless the program gave the control one of its own.
void ControlView::TipWholeTextWhenCut() {
  if (!widget_ || !ownTip_.isEmpty()) return;
  QString text;
  bool cut = false;
  auto* button = qobject_cast<QAbstractButton*>(widget_.data());
  auto* label = qobject_cast<QLabel*>(widget_.data());
  auto* combo = qobject_cast<QComboBox*>(widget_.data());
  if (button) text = button->text();
  else if (label) text = ShownLabelText(label);
  else if (combo) text = combo->currentText();
  else return;
  if (!cutChecked_.Changed({widget_->geometry(), text})) return;
  if (button) {
    cut = button->sizeHint().width() > button->width();
  } else if (label) {
    cut = label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
                            : label->sizeHint().width() > label->width();
  } else {
    // The chosen item is drawn in the field beside the arrow.
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    cut = combo->fontMetrics().horizontalAdvance(text) > field.width();
  }
  QString tip = cut ? text : QString();
  if (widget_->toolTip() != tip) widget_->setToolTip(tip);
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
