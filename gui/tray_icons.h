#pragma once
// The machine's notification-area icons of live windows as real system
// tray icons. The user's clicks reach the icon's window as the callback
// messages Windows sends: a click WM_LBUTTONDOWN and WM_LBUTTONUP, a double
// click then WM_LBUTTONDBLCLK and WM_LBUTTONUP, a right click
// WM_RBUTTONDOWN and WM_RBUTTONUP. The window's own handler shows or hides
// the main window or opens its popup menu.
#include <QSystemTrayIcon>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/forms/window_types.h"

namespace tessaly::gui {

class TrayIcons {
 public:
  TrayIcons() = default;
  ~TrayIcons();
  TrayIcons(const TrayIcons&) = delete;
  TrayIcons& operator=(const TrayIcons&) = delete;

  void Sync();
  // The icon drawn for (window, id); null when none.
  QSystemTrayIcon* Find(HWND window, UINT id) const;

 private:
  std::map<std::pair<HWND, UINT>, std::unique_ptr<QSystemTrayIcon>> icons_;
};

// The mouse messages one tray activation stands for, in order.
std::vector<UINT> TrayMessages(QSystemTrayIcon::ActivationReason reason);

}  // namespace tessaly::gui
