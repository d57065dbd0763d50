#pragma once
// The machine's notification area: icons keyed by (hWnd, uID), kept in the
// machine's state folder so that an icon outlives the process that added it
// (a left-behind icon stays visible) until it is deleted or the machine
// restarts. Clicks on an icon reach its window as uCallbackMessage.
#include <string>
#include <vector>

#include "platform/machine/machine.h"
#include "platform/shell/shell_types.h"

namespace platform::shell {

struct TrayIcon {
  HWND window = 0;
  UINT id = 0;
  UINT flags = 0;  // NIF_* given so far
  UINT callbackMessage = 0;
  HICON icon = 0;
  std::string tip;
};

class TrayArea : public MachineArea {
 public:
  explicit TrayArea(Machine& machine);
  void OnRestart() override;

  const std::vector<TrayIcon>& icons() const { return icons_; }
  TrayIcon* Find(HWND window, UINT id);
  bool Add(const NOTIFYICONDATAA& data);
  bool Modify(const NOTIFYICONDATAA& data);
  bool Delete(HWND window, UINT id);

 private:
  void Load();
  void Save() const;
  std::filesystem::path file() const;

  Machine& machine_;
  std::vector<TrayIcon> icons_;
};

// The icons of the bound machine (empty when none is bound).
std::vector<TrayIcon> TrayIcons();
// A mouse action on an icon, as the renderer or a test makes it: queues
// uCallbackMessage to the icon's window with wParam = uID and lParam = the
// mouse message. False when there is no such icon.
bool ClickTrayIcon(HWND window, UINT id, UINT mouseMessage);
// A double-click: 0x201, 0x202, 0x203, 0x202.
bool DoubleClickTrayIcon(HWND window, UINT id);

}  // namespace platform::shell
