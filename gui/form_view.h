#pragma once
// A form drawn as a top-level window: its caption, geometry, visibility and
// menu bar, and one view per control (views come and go with the controls).
#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>

#include "gui/control_view.h"
#include "gui/skin_look.h"
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

  void Sync(platform::forms::Form& form, const SkinLooks& looks);

 private:
  void SyncControls(platform::forms::Form& form, const SkinLooks& looks);
  void SyncMenus(platform::forms::Form& form);
  // Stacks sibling widgets as the window table orders their windows.
  void SyncStacking(platform::forms::Form& form);
  void SyncWindow(platform::forms::Form& form, QSize extent, const SkinLook& look);
  void SyncOutline(bool rounded);
  ControlView* ViewFor(Control& control);

  HWND hwnd_;
  QPointer<QMainWindow> window_;
  QWidget* canvas_;
  std::map<std::uint64_t, std::unique_ptr<ControlView>> views_;
  Applied<std::string> caption_, menus_, stacking_, placing_;
  Applied<bool> visible_, enabled_, tracking_;
  Applied<int> windowState_;
  Applied<QRect> geometry_;
  Applied<std::string> dress_;
  Applied<std::pair<QSize, bool>> outline_;
};

}  // namespace tessaly::gui
