#pragma once
// Skins and window utilities the windows share: skinning a form's controls
// through the main window's skin control, dragging a borderless window,
// keeping right-button presses from one window, and the optional message box.
#include <string>

#include "platform/forms/form.h"
#include "platform/forms/window_types.h"

// Applies "Radio", "Frame", "Button" then "ButtonWhite", "Check" and
// "Static" to the option buttons, frames, command buttons, check boxes and
// skin labels of `form`, in control order.
void ApplySkinToControls(platform::forms::Form& form);

// Lets the user move the window by its body: releases the capture and sends
// a caption press.
void DragForm(HWND window);

// The window procedure HookWindow replaced (0 until the first hook).
extern LONG SavedWindowProc;
// True: subclasses `window` with BlockRightClickProc. Hooking a window that
// is already hooked changes nothing; each hooked window keeps its own
// original procedure. False: puts the window's original procedure back
// (nothing when that window is not hooked).
void HookWindow(HWND window, bool enable);
// Turns a right-button press into WM_NULL and hands every message on to the
// window's original procedure.
LRESULT BlockRightClickProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Shows a message box; an optional one only while the main window's "Show
// Popup Messages" box is ticked. Returns the answer (0 when not shown).
int ShowMessage(const std::string& prompt, long style, const std::string& title, bool optional);
