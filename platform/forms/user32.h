#pragma once
// The window calls of user32 over the runtime's windows.
#include "platform/forms/window_types.h"

HWND FindWindowA(LPCSTR className, LPCSTR windowName);
HWND GetWindow(HWND window, UINT command);
int GetClassNameA(HWND window, LPSTR buffer, int bufferSize);
HWND GetParent(HWND window);
BOOL IsWindow(HWND window);
// Moves `child` under `parent` (0: the desktop); returns the old parent.
HWND SetParent(HWND child, HWND parent);
// Only GWL_WNDPROC is kept: procedures are stored as LONG ids
// (platform::forms::ProcedureId).
LONG SetWindowLongA(HWND window, int index, LONG newLong);
LONG GetWindowLongA(HWND window, int index);
LRESULT CallWindowProcA(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The same, with the previous procedure as the LONG that SetWindowLongA returned.
LRESULT CallWindowProcA(LONG previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL ReleaseCapture();
BOOL GetCursorPos(POINT* point);
HMENU GetMenu(HWND window);
HMENU GetSubMenu(HMENU menu, int position);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND window, const void* rect);
int GetSystemMetrics(int index);

namespace platform::forms {
// The virtual mouse position (set by the renderer or a test), in pixels.
void SetCursorPosition(LONG x, LONG y);
// The address of a procedure as SetWindowLongA takes it (AddressOf).
LONG AddressOf(WNDPROC procedure);
}  // namespace platform::forms
