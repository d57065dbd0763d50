#pragma once
// A form drawn as a top-level window: its caption, geometry, visibility and
// menu bar, and one view per control (views come and go with the controls).
#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>

#include "gui/control_view.h"
#include "platform/forms/form.h"

namespace tessaly::gui {

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

  void Sync(platform::forms::Form& form);

 private:
  void SyncControls(platform::forms::Form& form);
  void SyncMenus(platform::forms::Form& form);
  void SyncWindow(platform::forms::Form& form, QSize extent);
  ControlView* ViewFor(Control& control);

  HWND hwnd_;
  QPointer<QMainWindow> window_;
  QWidget* canvas_;
  std::map<std::uint64_t, std::unique_ptr<ControlView>> views_;
  Applied<std::string> caption_, menus_;
  Applied<bool> visible_, enabled_;
  Applied<int> windowState_;
  Applied<QRect> geometry_;
  Applied<long> backColor_;
};

}  // namespace tessaly::gui
