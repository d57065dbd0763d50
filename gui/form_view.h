#pragma once
// A form drawn as a top-level window, or inside another form's control once
// its window has been moved there: its caption, geometry, visibility and
// menu bar, and one view per control (views come and go with the controls).
#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>

#include "gui/control_view.h"
#include "gui/skin_look.h"
#include "platform/forms/form.h"

namespace tessaly::gui {

// Where a form's window is drawn: as a top-level window, or inside the
// widget of the window it has been moved into (host null: that window has
// nothing drawn, so neither has the form).
struct Placement {
  bool parented = false;
  QWidget* host = nullptr;
};

class FormView {
 public:
  explicit FormView(platform::forms::Form& form);
  ~FormView();
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;

  HWND window() const { return hwnd_; }
  QMainWindow* widget() const { return window_; }
  // The widget of the control with this serial; null when it has none.
  QWidget* WidgetOf(std::uint64_t serial) const;
  // Where the child windows of `window` are drawn, when it is this form's
  // window or one of its controls'; null otherwise.
  QWidget* AreaOf(HWND window) const;

  // The controls and the menu bar.
  void SyncContent(platform::forms::Form& form, const SkinLooks& looks);
  // The window itself, where `placement` puts it.
  void SyncWindow(platform::forms::Form& form, const SkinLooks& looks, const Placement& placement);
  // Stacks sibling widgets as the window table orders their windows; the
  // windows of forms drawn inside this one (`formWindows`) take part.
  void SyncStacking(platform::forms::Form& form, const std::map<HWND, QWidget*>& formWindows);

 private:
  void SyncControls(platform::forms::Form& form, const SkinLooks& looks);
  void SyncMenus(platform::forms::Form& form);
  // Moves the window into `host`, or out as a top-level window (null).
  void Rehost(QWidget* host);
  void SyncOutline(bool rounded);
  ControlView* ViewFor(Control& control);

  HWND hwnd_;
  QPointer<QMainWindow> window_;
  QWidget* canvas_;
  std::map<std::uint64_t, std::unique_ptr<ControlView>> views_;
  QSize extent_;  // what the form's top-level controls cover
  Applied<std::string> caption_, menus_, stacking_, placing_;
  Applied<bool> visible_, enabled_, tracking_;
  Applied<int> windowState_;
  Applied<QRect> geometry_;
  Applied<std::string> dress_;
  Applied<std::pair<QSize, bool>> outline_;
};

}  // namespace tessaly::gui
