// Command buttons, check boxes (three states) and option buttons.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "gui/conversions.h"
#include "gui/views/views.h"
#include "platform/forms/controls/check_box.h"
#include "platform/forms/controls/simple_controls.h"

namespace tessaly::gui {
namespace {

using namespace platform::forms;

// Boxes whose state only the model decides: a click asks the model, which
// answers at the next turn. As on Windows, the whole control takes the
// click, not only its mark and caption.
template <class Base>
class ModelDrivenBox : public Base {
 public:
  using Base::Base;

 protected:
  void nextCheckState() override {}
  bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

class CommandButtonView : public TypedView<CommandButton> {
 public:
  CommandButtonView(CommandButton& control, QWidget* parent)
      : TypedView(control, new QPushButton(parent)), button_(static_cast<QPushButton*>(widget())) {
    QObject::connect(button_, &QPushButton::clicked, [this] { Queue([](Control& c) { c.UserClick(); }); });
  }

 protected:
  void SyncTyped(CommandButton& control) override {
    if (caption_.Changed(control.Caption())) button_->setText(Caption(control.Caption()));
  }

 private:
  QPushButton* button_;
  Applied<std::string> caption_;
};

class CheckBoxView : public TypedView<CheckBox> {
 public:
  CheckBoxView(CheckBox& control, QWidget* parent)
      : TypedView(control, new ModelDrivenBox<QCheckBox>(parent)), box_(static_cast<QCheckBox*>(widget())) {
    box_->setTristate(true);
    QObject::connect(box_, &QCheckBox::clicked, [this] { Queue([](Control& c) { c.UserClick(); }); });
    // A state set on the widget itself (the accessibility interface's
    // toggle, not a click) asks the model for that state.
    QObject::connect(box_, &QCheckBox::toggled, [this](bool ticked) {
      QueueOn([ticked](CheckBox& box) {
        if ((box.Value() == vbChecked) != ticked) box.UserClick();
      });
    });
  }

 protected:
  void SyncTyped(CheckBox& control) override {
    if (caption_.Changed(control.Caption())) box_->setText(Caption(control.Caption()));
    // Against the widget itself: a state the model refused goes back.
    static constexpr Qt::CheckState kStates[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    if (box_->checkState() != kStates[control.Value()]) box_->setCheckState(kStates[control.Value()]);
  }

 private:
  QCheckBox* box_;
  Applied<std::string> caption_;
};

class OptionButtonView : public TypedView<OptionButton> {
 public:
  OptionButtonView(OptionButton& control, QWidget* parent)
      : TypedView(control, new ModelDrivenBox<QRadioButton>(parent)),
        button_(static_cast<QRadioButton*>(widget())) {
    // Exclusive, so that assistive technology knows it as an option button
    // of a group; the model's choice is applied over Qt's grouping.
    button_->setAutoExclusive(true);
    QObject::connect(button_, &QRadioButton::clicked, [this] { Queue([](Control& c) { c.UserClick(); }); });
    // Chosen through the widget itself (accessibility): the model chooses
    // it as a click would; clearing one is not the user's to do.
    QObject::connect(button_, &QRadioButton::toggled, [this](bool chosen) {
      if (chosen)
        QueueOn([](OptionButton& button) {
          if (!button.Value()) button.UserClick();
        });
    });
  }

 protected:
  void SyncTyped(OptionButton& control) override {
    if (caption_.Changed(control.Caption())) button_->setText(Caption(control.Caption()));
    if (button_->isChecked() != control.Value()) {
      // Qt keeps the chosen one of a group chosen; the program may clear it.
      button_->setAutoExclusive(control.Value());
      button_->setChecked(control.Value());
      button_->setAutoExclusive(true);
    }
  }

 private:
  QRadioButton* button_;
  Applied<std::string> caption_;
};

}  // namespace

std::unique_ptr<ControlView> MakeButtonView(Control& control, QWidget* parent) {
  switch (control.kind()) {
    case ControlKind::CommandButton:
      return std::make_unique<CommandButtonView>(static_cast<CommandButton&>(control), parent);
    case ControlKind::CheckBox: return std::make_unique<CheckBoxView>(static_cast<CheckBox&>(control), parent);
    case ControlKind::OptionButton:
      return std::make_unique<OptionButtonView>(static_cast<OptionButton&>(control), parent);
    default: return nullptr;
  }
}

}  // namespace tessaly::gui
