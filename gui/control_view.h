#pragma once
// One control of the model drawn as a Qt widget: the view applies the
// model's state to the widget (only what changed since it last looked, so it
// never fights the user) and turns the user's actions into queued events of
// the model, run at the next loop turn.
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/forms/control.h"
#include "platform/forms/event_loop.h"

namespace tessaly::gui {
struct SkinLook;
}

namespace tessaly::gui {

using platform::forms::Control;
using platform::forms::ControlKind;

// The last value applied to a widget.
template <class T>
class Applied {
 public:
  // True (and remembered) when `now` differs from what was applied last.
  bool Changed(const T& now) {
    if (last_ && *last_ == now) return false;
    last_ = now;
    return true;
  }
  // The next Changed is true whatever it is given.
  void Forget() { last_.reset(); }

 private:
  std::optional<T> last_;
};

class ControlView {
 public:
  ControlView(Control& control, QWidget* widget);
  virtual ~ControlView();
  ControlView(const ControlView&) = delete;
  ControlView& operator=(const ControlView&) = delete;

  std::uint64_t serial() const { return serial_; }
  // Null once Qt has deleted it with its parent.
  QWidget* widget() const { return widget_; }

  // Applies the model's state: visibility, enabled state, tool tip, then
  // the kind's own state. Signals are blocked meanwhile, so nothing the
  // model does comes back as a user action.
  void Sync(Control& control);
  // Where the control's children are drawn, for containers.
  virtual QWidget* ChildArea() { return nullptr; }
  // The size automatic layout gives a control without geometry.
  virtual QSize NaturalSize() const;
  // Places the widget; a caption it cuts becomes its tool tip.
  void Place(const QRect& pixels);
  // Dresses the widget in the skin's look (colours and font).
  void Dress(const SkinLook& look);

 protected:
  virtual void SyncKind(Control& control) = 0;
  // Runs `action` on the control at the next loop turn, if it still exists.
  void Queue(std::function<void(Control&)> action) const;

 private:
  void TipWholeTextWhenCut();

  std::uint64_t serial_;
  QString ownTip_;  // the program's ToolTipText
  QPointer<QWidget> widget_;
  Applied<bool> visible_, enabled_, tracking_;
  Applied<std::string> toolTip_;
  Applied<QRect> place_;
  Applied<std::string> look_;
  Applied<std::pair<QRect, QString>> cutChecked_;
};

// A view of one concrete control class.
template <class C>
class TypedView : public ControlView {
 public:
  using ControlView::ControlView;

 protected:
  virtual void SyncTyped(C& control) = 0;
  void SyncKind(Control& control) final { SyncTyped(static_cast<C&>(control)); }
  void QueueOn(std::function<void(C&)> action) const {
    Queue([action](Control& control) { action(static_cast<C&>(control)); });
  }
};

// The view of a control, its widget a child of `parent`; null for kinds
// that draw nothing of their own (timers, image lists, menus ...).
std::unique_ptr<ControlView> MakeControlView(Control& control, QWidget* parent);

}  // namespace tessaly::gui
