#include "gui/form_view.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QMoveEvent>
#include <QResizeEvent>
#include <memory>
#include <optional>
#include <QPainterPath>
#include <QRegion>
#include <cstdint>

#include "gui/conversions.h"
#include "gui/label_buddies.h"
#include "gui/layout.h"
#include "gui/mouse_input.h"
#include "platform/forms/controls/menu.h"
#include "platform/forms/user32.h"

namespace tessaly::gui {
namespace {

using namespace platform::forms;

Form* LoadedForm(HWND window) {
  for (Form* form : LoadedForms())
    if (form->hWnd() == window) return form;
  return nullptr;
}

// A form's window whose moves and resizes by the user (or the window
// manager) reach the form's Left, Top, Width and Height at the next turn,
// which runs its Resize when the size changed. Where the renderer itself
// placed the window is not news, nor is anything that befalls it while it
// is drawn inside another window.
class FormWindow : public QMainWindow {
 public:
  explicit FormWindow(HWND hwnd) : hwnd_(hwnd), pending_(std::make_shared<std::optional<QRect>>()) {}

  // Puts the window where the model has it.
  void Place(QPoint position, QSize size) {
    placedPosition_ = position;
    placedSize_ = size;
    move(position);
    resize(size);
  }

 protected:
  void closeEvent(QCloseEvent* event) override {
    // The close box goes to the form's window procedure as Windows sends
    // it: WM_CLOSE, posted (QueryUnload with mode 0 unless a subclass keeps it).
    event->ignore();
    PostMessageA(hwnd_, WM_CLOSE, 0, 0);
  }
  void moveEvent(QMoveEvent* event) override {
    QMainWindow::moveEvent(event);
    if (isWindow() && pos() != placedPosition_) Report();
  }
  void resizeEvent(QResizeEvent* event) override {
    QMainWindow::resizeEvent(event);
    if (isWindow() && size() != placedSize_) Report();
  }
  // Minimised or restored by the window manager (its task bar, its own
  // buttons): the form's WindowState follows, so the tray's show and hide
  // and the program's own minimise stay in step with what is on screen.
  void changeEvent(QEvent* event) override {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isWindow()) return;
    int state = isMinimized() ? 1 : isMaximized() ? 2 : 0;
    QueueEvent([window = hwnd_, state] {
      if (Form* form = LoadedForm(window); form && form->WindowState() != state) form->WindowState(state);
    });
  }

 private:
  // Queues one update of the model however many changes come before it runs.
  void Report() {
    placedPosition_ = pos();
    placedSize_ = size();
    bool waiting = pending_->has_value();
    *pending_ = QRect(pos(), size());
    if (waiting) return;
    QueueEvent([window = hwnd_, pending = pending_] {
      QRect now = pending->value_or(QRect());
      *pending = std::nullopt;
      if (Form* form = LoadedForm(window))
        form->Move(PixelsToTwips(now.x()), PixelsToTwips(now.y()), PixelsToTwips(now.width()),
                   PixelsToTwips(now.height()));
    });
  }

  HWND hwnd_;
  QPoint placedPosition_;
  QSize placedSize_;
  std::shared_ptr<std::optional<QRect>> pending_;
};

bool DrawnInMenuBar(const Control& control) { return control.IsKind(ControlKind::Menu); }

// Menus as one text, to see when the bar must be rebuilt.
std::string MenuSignature(const Form& form) {
  std::string signature;
  for (Control* control : form.Controls()) {
    if (!DrawnInMenuBar(*control)) continue;
    auto& menu = static_cast<Menu&>(*control);
    signature += std::to_string(menu.serial()) + '/' +
                 std::to_string(menu.Container() ? menu.Container()->serial() : 0) + '/' + menu.Caption() + '/' +
                 (menu.Visible() ? 'v' : '-') + (menu.Enabled() ? 'e' : '-') + (menu.Checked() ? 'c' : '-') + '\n';
  }
  return signature;
}

void AddMenuItems(QWidget* into, const Form& form, const Control* parent) {
  for (Control* control : form.Controls()) {
    if (!DrawnInMenuBar(*control) || control->Container() != parent || !control->Visible()) continue;
    auto& menu = static_cast<Menu&>(*control);
    bool hasChildren = false;
    for (Control* other : form.Controls())
      if (other->Container() == &menu && DrawnInMenuBar(*other)) hasChildren = true;
    if (menu.IsSeparator()) {
      if (auto* popup = qobject_cast<QMenu*>(into)) popup->addSeparator();
      continue;
    }
    QString caption = Caption(menu.Caption());
    if (hasChildren) {
      auto* sub = new QMenu(caption, into);
      sub->setEnabled(menu.Enabled());
      AddMenuItems(sub, form, &menu);
      if (auto* bar = qobject_cast<QMenuBar*>(into)) bar->addMenu(sub);
      else static_cast<QMenu*>(into)->addMenu(sub);
      continue;
    }
    auto* action = new QAction(caption, into);
    action->setEnabled(menu.Enabled());
    action->setCheckable(menu.Checked());
    action->setChecked(menu.Checked());
    std::uint64_t serial = menu.serial();
    QObject::connect(action, &QAction::triggered, [serial] {
      QueueEvent([serial] {
        if (Control* live = LiveControl(serial)) live->UserClick();
      });
    });
    into->addAction(action);
  }
}

}  // namespace

FormView::FormView(Form& form) : hwnd_(form.hWnd()), window_(new FormWindow(form.hWnd())) {
  canvas_ = new QWidget;
  // Clicks and moves on the form's body go to its window procedure.
  new MouseForwarder(
      canvas_,
      [window = hwnd_](const MouseMessage& mouse) {
        if (IsWindow(window)) SendMessageA(window, mouse.message, mouse.keys, mouse.point);
      },
      [] { return true; });
  canvas_->setObjectName(ToQt(form.Name()));
  window_->setObjectName(ToQt(form.Name()));
  window_->setCentralWidget(canvas_);
}

FormView::~FormView() {
  views_.clear();
  delete window_.data();
}

QWidget* FormView::WidgetOf(std::uint64_t serial) const {
  auto it = views_.find(serial);
  return it == views_.end() ? nullptr : it->second->widget();
}

QWidget* FormView::AreaOf(HWND window) const {
  if (!window_) return nullptr;
  if (window == hwnd_) return canvas_;
  for (const auto& [serial, view] : views_) {
    Control* control = LiveControl(serial);
    if (!control || control->window() != window) continue;
    return view->ChildArea() ? view->ChildArea() : view->widget();
  }
  return nullptr;
}

void FormView::SyncContent(Form& form, const SkinLooks& looks) {
  if (!window_) return;
  SyncControls(form, looks);
  SyncMenus(form);
}

ControlView* FormView::ViewFor(Control& control) {
  auto it = views_.find(control.serial());
  if (it != views_.end()) return it->second.get();
  QWidget* parent = canvas_;
  if (Control* container = control.Container(); container && !container->IsKind(ControlKind::Menu))
    if (ControlView* outer = ViewFor(*container); outer && outer->ChildArea()) parent = outer->ChildArea();
  auto view = MakeControlView(control, parent);
  if (!view) return nullptr;
  ControlView* raw = view.get();
  views_.emplace(control.serial(), std::move(view));
  return raw;
}

void FormView::SyncControls(Form& form, const SkinLooks& looks) {
  // Views of controls that are gone.
  for (auto it = views_.begin(); it != views_.end();)
    it = LiveControl(it->first) ? std::next(it) : views_.erase(it);

  LayoutInput input;
  for (Control* control : form.Controls())
    if (ControlView* view = ViewFor(*control)) {
      input.controls.push_back(control);
      view->Dress(looks.OfControl(*control, hwnd_));
      view->Sync(*control);
    }
  input.naturalSize = [this](const Control& control) {
    auto it = views_.find(control.serial());
    return it == views_.end() ? QSize() : it->second->NaturalSize();
  };
  LayoutResult layout = LayOut(input);
  std::string placing;
  for (const auto& [serial, place] : layout.places) {
    views_[serial]->Place(place);
    QWidget* widget = views_[serial]->widget();
    placing += std::to_string(serial) + (widget && !widget->isHidden() ? '+' : '-') +
               std::to_string(place.x()) + ',' + std::to_string(place.y()) + ',' + std::to_string(place.width()) +
               ',' + std::to_string(place.height()) + ' ';
  }
  // Labels name the fields they stand beside wherever the controls now are.
  if (placing_.Changed(placing)) BindLabelBuddies(canvas_);
  extent_ = layout.extent;
}

// A page brought to the front (ZOrder 0) lies over the backgrounds and the
// movie declared after it, as on Windows; of the forms moved into a frame,
// the one moved or shown last lies on top.
void FormView::SyncStacking(Form& form, const std::map<HWND, QWidget*>& formWindows) {
  if (!window_) return;
  std::map<HWND, QWidget*> widgets;
  for (Control* control : form.Controls())
    if (control->window())
      if (QWidget* widget = WidgetOf(control->serial())) widgets[control->window()] = widget;
  std::vector<HWND> parents{hwnd_};
  for (const auto& [window, widget] : widgets) parents.push_back(window);
  // Raising a top-level window would bring it before the others on the desktop.
  for (const auto& [window, widget] : formWindows)
    if (widget && !widget->isWindow()) widgets.emplace(window, widget);
  std::string order;
  for (HWND parent : parents)
    for (HWND child : Windows().Children(parent)) {
      auto it = widgets.find(child);
      order += std::to_string(child) + ':' +
               std::to_string(reinterpret_cast<std::uintptr_t>(it == widgets.end() ? nullptr : it->second)) + ' ';
    }
  if (!stacking_.Changed(order)) return;
  for (HWND parent : parents) {
    const std::vector<HWND>& children = Windows().Children(parent);
    for (auto child = children.rbegin(); child != children.rend(); ++child)
      if (auto it = widgets.find(*child); it != widgets.end()) it->second->raise();
  }
}

void FormView::SyncMenus(Form& form) {
  if (!menus_.Changed(MenuSignature(form))) return;
  QMenuBar* bar = window_->menuBar();
  bar->clear();
  AddMenuItems(bar, form, nullptr);
  bar->setVisible(!bar->actions().isEmpty());
}

void FormView::Rehost(QWidget* host) {
  window_->setParent(host, host ? Qt::Widget : Qt::Window);
  // A new parent hides the window and places it anew.
  geometry_.Forget();
  visible_.Forget();
  windowState_.Forget();
  outline_.Forget();
}

void FormView::SyncWindow(Form& form, const SkinLooks& looks, const Placement& placement) {
  if (!window_) return;
  // A form moved into a window of its own (or of a form inside it) cannot
  // be drawn there; nor can one moved into a window that has nothing drawn.
  bool drawable = !placement.parented || (placement.host && !window_->isAncestorOf(placement.host));
  QWidget* host = placement.parented ? placement.host : nullptr;
  if (drawable && window_->parentWidget() != host) Rehost(host);
  bool embedded = drawable && host;
  if (caption_.Changed(form.Caption())) window_->setWindowTitle(ToQt(form.Caption()));
  if (enabled_.Changed(form.Enabled())) window_->setEnabled(form.Enabled());
  // A colour the form sets itself wins over the skin's.
  SkinLook look = looks.OfWindow(hwnd_);
  if (auto color = ModelColor(form.BackColor())) look.back = color;
  if (dress_.Changed(look.Signature())) {
    canvas_->setAutoFillBackground(look.back.has_value());
    DressWidget(canvas_, look);
  }
  canvas_->setMinimumSize(extent_ + QSize(8, 8));
  // Inside a host the form's Left and Top count from the host's corner.
  QRect geometry(TwipsToPixels(form.Left()), TwipsToPixels(form.Top()), TwipsToPixels(form.Width()),
                 TwipsToPixels(form.Height()));
  if (geometry_.Changed(geometry))
    static_cast<FormWindow*>(window_.data())
        ->Place(geometry.topLeft(), geometry.size().expandedTo(window_->minimumSizeHint()));
  // Moves without a button held come only to a form that handles them.
  if (tracking_.Changed(form.MouseMove.handled())) canvas_->setMouseTracking(form.MouseMove.handled());
  SyncOutline(look.rounded);
  bool visible = drawable && form.Visible();
  // Minimised and maximised are a top-level window's states.
  int state = embedded ? 0 : form.WindowState();
  bool visibleChanged = visible_.Changed(visible);
  bool stateChanged = windowState_.Changed(state);
  if (!visibleChanged && !stateChanged) return;
  if (!visible) return window_->hide();
  if (embedded) return window_->show();
  // The window may be there already (the window manager changed it first).
  int shown = window_->isMinimized() ? 1 : window_->isMaximized() ? 2 : 0;
  if (window_->isVisible() && shown == state) return;
  if (state == 1) window_->showMinimized();
  else if (state == 2) window_->showMaximized();
  else window_->showNormal();
}

// The skin's rounded outline: the window keeps only its rounded rectangle.
void FormView::SyncOutline(bool rounded) {
  if (!outline_.Changed({window_->size(), rounded})) return;
  if (!rounded) return window_->clearMask();
  constexpr int kRadius = 18;
  QPainterPath path;
  path.addRoundedRect(QRectF(window_->rect()), kRadius, kRadius);
  window_->setMask(QRegion(path.toFillPolygon().toPolygon()));
}

}  // namespace tessaly::gui
