#include "platform/forms/user32.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/base/cp1252.h"
#include "platform/base/journal.h"
#include "platform/base/last_error.h"
#include "platform/forms/answers.h"
#include "platform/forms/controls/menu.h"
#include "platform/forms/event_loop.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime_state.h"
#include "platform/forms/window_messages.h"
#include "platform/forms/window_table.h"
#include "platform/machine/machine.h"

using platform::forms::HexText;
using platform::forms::Windows;
using platform::forms::WindowRecord;

namespace {

POINT& Cursor() {
  static POINT cursor{0, 0};
  return cursor;
}

WindowRecord* LiveWindow(HWND window) {
  WindowRecord* record = Windows().Find(window);
  if (!record) SetLastError(ERROR_INVALID_HANDLE);
  return record;
}

// Menu handles: a form's bar is its window handle + 1 (window handles are
// multiples of 4); a sub-menu is its menu control's serial * 4 + 2.
constexpr HMENU kBarTag = 1, kSubMenuTag = 2;

HMENU SubMenuHandle(const platform::forms::Menu& menu) {
  return static_cast<HMENU>(menu.serial() * 4 + kSubMenuTag);
}

// The visible items of a bar or sub-menu, in design order.
std::vector<platform::forms::Menu*> MenuItems(HMENU menu) {
  using namespace platform::forms;
  std::vector<Menu*> items;
  Form* form = nullptr;
  Control* parent = nullptr;
  if ((menu & 3) == kBarTag) {
    for (Form* loaded : LoadedForms())
      if (loaded->hWnd() == menu - kBarTag) form = loaded;
  } else if ((menu & 3) == kSubMenuTag) {
    parent = LiveControl(menu / 4);
    if (parent && parent->IsKind(ControlKind::Menu)) form = &parent->Parent();
    else return items;
  }
  if (!form) return items;
  for (Control* control : form->Controls())
    if (control->IsKind(ControlKind::Menu) && control->Container() == parent && control->Visible())
      items.push_back(static_cast<Menu*>(control));
  return items;
}

}  // namespace

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
  for (HWND window : Windows().Children(0)) {
    WindowRecord* record = Windows().Find(window);
    if (className && !platform::EqualsNoCase(record->target->WindowClass(), className)) continue;
    if (windowName && record->target->WindowText() != windowName) continue;
    return window;
  }
  return 0;
}

HWND GetWindow(HWND window, UINT command) {
  WindowRecord* record = LiveWindow(window);
  if (!record) return 0;
  if (command == GW_CHILD) return record->children.empty() ? 0 : record->children.front();
  if (command == GW_OWNER) return 0;
  const std::vector<HWND>& siblings = Windows().Children(record->parent);
  auto at = std::find(siblings.begin(), siblings.end(), window);
  switch (command) {
    case GW_HWNDFIRST: return siblings.front();
    case GW_HWNDLAST: return siblings.back();
    case GW_HWNDNEXT: return at + 1 < siblings.end() ? *(at + 1) : 0;
    case GW_HWNDPREV: return at != siblings.begin() ? *(at - 1) : 0;
    default: SetLastError(ERROR_INVALID_PARAMETER); return 0;
  }
}

int GetClassNameA(HWND window, LPSTR buffer, int bufferSize) {
  WindowRecord* record = LiveWindow(window);
  if (!record) return 0;
  if (!buffer || bufferSize <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string name = record->target->WindowClass();
  std::size_t copied = std::min(name.size(), static_cast<std::size_t>(bufferSize - 1));
  std::memcpy(buffer, name.data(), copied);
  buffer[copied] = '\0';
  return static_cast<int>(copied);
}

HWND GetParent(HWND window) {
  WindowRecord* record = LiveWindow(window);
  return record ? record->parent : 0;
}

BOOL IsWindow(HWND window) { return Windows().Find(window) ? TRUE : FALSE; }

HWND SetParent(HWND child, HWND parent) {
  if (!LiveWindow(child) || (parent != 0 && !LiveWindow(parent))) return 0;
  HWND old = Windows().Reparent(child, parent);
  platform::TheJournal().Record("SetParent", {HexText(child), HexText(parent), HexText(old)});
  return old;
}

LONG SetWindowLongA(HWND window, int index, LONG newLong) {
  WindowRecord* record = LiveWindow(window);
  if (!record) return 0;
  if (index != GWL_WNDPROC) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  LONG previous = record->procedure;
  record->procedure = newLong;
  SetLastError(ERROR_SUCCESS);
  return previous;
}

LONG GetWindowLongA(HWND window, int index) {
  WindowRecord* record = LiveWindow(window);
  if (!record) return 0;
  if (index != GWL_WNDPROC) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return record->procedure;
}

LRESULT CallWindowProcA(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return previous ? previous(window, message, wParam, lParam) : 0;
}

LRESULT CallWindowProcA(LONG previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(platform::forms::ProcedureFromId(previous), window, message, wParam, lParam);
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowRecord* record = LiveWindow(window);
  if (!record) return 0;
  return CallWindowProcA(record->procedure, window, message, wParam, lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!LiveWindow(window)) return FALSE;
  platform::forms::QueueEvent([=] {
    if (IsWindow(window)) SendMessageA(window, message, wParam, lParam);
  });
  return TRUE;
}

BOOL ReleaseCapture() {
  platform::TheJournal().Record("ReleaseCapture");
  return TRUE;
}

BOOL GetCursorPos(POINT* point) {
  if (!point) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *point = Cursor();
  return TRUE;
}

HMENU GetMenu(HWND window) {
  if (!LiveWindow(window)) return 0;
  HMENU bar = window + kBarTag;
  return MenuItems(bar).empty() ? 0 : bar;
}

HMENU GetSubMenu(HMENU menu, int position) {
  auto items = MenuItems(menu);
  if (position < 0 || position >= static_cast<int>(items.size())) return 0;
  HMENU sub = SubMenuHandle(*items[position]);
  return MenuItems(sub).empty() ? 0 : sub;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND window, const void* rect) {
  using namespace platform::forms;
  auto items = MenuItems(menu);
  if (items.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  AskRequest request;
  request.kind = AskKind::PopupMenu;
  request.allowNone = true;
  std::vector<Menu*> choosable;
  for (Menu* item : items)
    if (!item->IsSeparator() && item->Enabled()) {
      request.choices.push_back(item->Caption());
      choosable.push_back(item);
    }
  AskAnswer answer = Answers().Ask(request);
  for (std::size_t i = 0; i < choosable.size(); ++i) {
    if (request.choices[i] != answer.choice) continue;
    choosable[i]->Click.Raise();
    return (flags & TPM_RETURNCMD) ? static_cast<BOOL>(choosable[i]->serial()) : TRUE;
  }
  return (flags & TPM_RETURNCMD) ? 0 : TRUE;
}

int GetSystemMetrics(int index) {
  platform::Machine* machine = platform::CurrentMachine();
  int width = machine ? machine->description().screenWidth : 1024;
  int height = machine ? machine->description().screenHeight : 768;
  switch (index) {
    case SM_CXSCREEN: return width;
    case SM_CYSCREEN: return height;
    case SM_CXVSCROLL: return 16;
    default: return 0;
  }
}

namespace platform::forms {
void SetCursorPosition(LONG x, LONG y) { Cursor() = {x, y}; }
LONG AddressOf(WNDPROC procedure) { return ProcedureId(procedure); }
}  // namespace platform::forms
