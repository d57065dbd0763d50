#include "support/skins.h"

#include <map>
#include <vector>

#include "platform/forms/message_box.h"
#include "platform/forms/user32.h"
#include "support/main_window_link.h"

using platform::forms::ControlKind;

LONG SavedWindowProc = 0;

namespace {

struct SkinRule {
  ControlKind kind;
  std::vector<const char*> objects;
};

const SkinRule kSkinRules[] = {
    {ControlKind::OptionButton, {"Radio"}},
    {ControlKind::Frame, {"Frame"}},
    {ControlKind::CommandButton, {"Button", "ButtonWhite"}},
    {ControlKind::CheckBox, {"Check"}},
    {ControlKind::SkinLabel, {"Static"}},
};

// Each hooked window's original procedure.
std::map<HWND, LONG>& HookedWindows() {
  static auto* hooked = new std::map<HWND, LONG>;
  return *hooked;
}

}  // namespace

void ApplySkinToControls(platform::forms::Form& form) {
  for (platform::forms::Control* control : form.Controls()) {
    for (const auto& rule : kSkinRules) {
      if (!control->IsKind(rule.kind)) continue;
      for (const char* object : rule.objects) {
        HWND window = control->hWnd();
        MainWindow().SkinControl().ApplySkinObject(window, object);
      }
    }
  }
}

void DragForm(HWND window) {
  ReleaseCapture();
  SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void HookWindow(HWND window, bool enable) {
  auto& hooked = HookedWindows();
  if (enable) {
    if (hooked.count(window) || !IsWindow(window)) return;
    LONG ours = platform::forms::AddressOf(BlockRightClickProc);
    if (GetWindowLongA(window, GWL_WNDPROC) == ours) return;
    LONG previous = SetWindowLongA(window, GWL_WNDPROC, ours);
    hooked[window] = previous;
    SavedWindowProc = previous;
    return;
  }
  auto it = hooked.find(window);
  if (it == hooked.end()) return;
  if (IsWindow(window)) SetWindowLongA(window, GWL_WNDPROC, it->second);
  hooked.erase(it);
}

LRESULT BlockRightClickProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto& hooked = HookedWindows();
  auto it = hooked.find(window);
  LONG original = it != hooked.end() ? it->second : SavedWindowProc;
  if (original == 0 || original == platform::forms::AddressOf(BlockRightClickProc)) return 0;
  if (message == WM_RBUTTONDOWN) message = WM_NULL;
  return CallWindowProcA(original, window, message, wParam, lParam);
}

int ShowMessage(const std::string& prompt, long style, const std::string& title, bool optional) {
  int ticked = MainWindow().SkipMessagesBox().Value();
  if (optional && ticked != platform::forms::vbChecked) return 0;
  return platform::forms::MsgBox(prompt, style, title);
}
