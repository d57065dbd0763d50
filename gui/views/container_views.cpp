// Frames and picture boxes (containers), and the fallback for windowed
// kinds without a view of their own.
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>

#include "gui/conversions.h"
#include "gui/views/views.h"
#include "platform/forms/controls/simple_controls.h"

namespace tessaly::gui {
namespace {

using namespace platform::forms;

class ClickableFrame : public QFrame {
 public:
  ClickableFrame(QWidget* parent, std::function<void()> onClick) : QFrame(parent), onClick_(std::move(onClick)) {}

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) onClick_();
    QFrame::mouseReleaseEvent(event);
  }

 private:
  std::function<void()> onClick_;
};

class FrameView : public TypedView<Frame> {
 public:
  FrameView(Frame& control, QWidget* parent)
      : TypedView(control, new QGroupBox(parent)), box_(static_cast<QGroupBox*>(widget())) {}
  QWidget* ChildArea() override { return box_; }

 protected:
  void SyncTyped(Frame& control) override {
    if (caption_.Changed(control.Caption())) box_->setTitle(Caption(control.Caption()));
  }

 private:
  QGroupBox* box_;
  Applied<std::string> caption_;
};

class PictureBoxView : public TypedView<PictureBox> {
 public:
  PictureBoxView(PictureBox& control, QWidget* parent)
      : TypedView(control, new ClickableFrame(parent, [this] { Queue([](Control& c) { c.UserClick(); }); })) {
    static_cast<QFrame*>(widget())->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  }
  QWidget* ChildArea() override { return widget(); }

 protected:
  void SyncTyped(PictureBox&) override {}
};

class FallbackView : public ControlView {
 public:
  FallbackView(Control& control, QWidget* parent) : ControlView(control, new QLabel(parent)) {
    auto* label = static_cast<QLabel*>(widget());
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
  }

 protected:
  void SyncKind(Control& control) override {
    std::string text = control.WindowText();
    if (text_.Changed(text)) static_cast<QLabel*>(widget())->setText(ToQtLines(text));
  }

 private:
  Applied<std::string> text_;
};

}  // namespace

std::unique_ptr<ControlView> MakeContainerView(Control& control, QWidget* parent) {
  switch (control.kind()) {
    case ControlKind::Frame: return std::make_unique<FrameView>(static_cast<Frame&>(control), parent);
    case ControlKind::PictureBox: return std::make_unique<PictureBoxView>(static_cast<PictureBox&>(control), parent);
    default: return nullptr;
  }
}

std::unique_ptr<ControlView> MakeFallbackView(Control& control, QWidget* parent) {
  if (!control.windowed()) return nullptr;
  return std::make_unique<FallbackView>(control, parent);
}

}  // namespace tessaly::gui
