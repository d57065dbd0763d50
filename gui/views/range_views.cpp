// Sliders and up-down arrows.
#include <QHBoxLayout>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/views/views.h"
#include "platform/forms/controls/range_controls.h"

namespace tessaly::gui {
namespace {

using namespace platform::forms;

struct SliderState {
  std::int32_t min = 0, max = 0, value = 0, small = 0, large = 0, ticks = 0;
  bool operator==(const SliderState&) const = default;
};

class SliderView : public TypedView<Slider> {
 public:
  SliderView(Slider& control, QWidget* parent)
      : TypedView(control, new QSlider(Qt::Horizontal, parent)), slider_(static_cast<QSlider*>(widget())) {
    slider_->setTickPosition(QSlider::TicksBelow);
    // Signals are blocked while the model is applied: a change here is the user's.
    QObject::connect(slider_, &QSlider::valueChanged, [this](int value) {
      QueueOn([value](Slider& s) { s.UserScroll(value); });
    });
  }

 protected:
  void SyncTyped(Slider& control) override {
    SliderState state{control.Min(), control.Max(), control.Value(), control.SmallChange(), control.LargeChange(),
                      control.TickFrequency()};
    if (!state_.Changed(state)) return;
    slider_->setRange(state.min, state.max);
    slider_->setValue(state.value);
    slider_->setSingleStep(state.small);
    slider_->setPageStep(state.large);
    slider_->setTickInterval(state.ticks);
  }

 private:
  QSlider* slider_;
  Applied<SliderState> state_;
};

// The arrows only; the number shows in the buddy text box.
class UpDownView : public TypedView<UpDown> {
 public:
  UpDownView(UpDown& control, QWidget* parent) : TypedView(control, new QWidget(parent)) {
    auto* layout = new QVBoxLayout(widget());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int direction : {+1, -1}) {
      auto* arrow = new QToolButton(widget());
      arrow->setArrowType(direction > 0 ? Qt::UpArrow : Qt::DownArrow);
      arrow->setObjectName(direction > 0 ? "up" : "down");
      arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
      layout->addWidget(arrow);
      QObject::connect(arrow, &QToolButton::clicked, [this, direction] {
        QueueOn([direction](UpDown& u) { u.UserStep(direction); });
      });
    }
  }
  QSize NaturalSize() const override { return {17, 24}; }

 protected:
  void SyncTyped(UpDown&) override {}
};

}  // namespace

std::unique_ptr<ControlView> MakeRangeView(Control& control, QWidget* parent) {
  switch (control.kind()) {
    case ControlKind::Slider: return std::make_unique<SliderView>(static_cast<Slider&>(control), parent);
    case ControlKind::UpDown: return std::make_unique<UpDownView>(static_cast<UpDown&>(control), parent);
    default: return nullptr;
  }
}

}  // namespace tessaly::gui
