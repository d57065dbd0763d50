#pragma once
// MsgBox, MessageBoxA and InputBox, answered by the answer provider.
#include <string>

#include "platform/forms/window_types.h"

namespace platform::forms {

enum : long {
  vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5,
  vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
  vbDefaultButton1 = 0, vbDefaultButton2 = 256, vbDefaultButton3 = 512, vbSystemModal = 4096,
};

enum : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// Shows a box; "" as title means App.Title. Returns the button's number.
int MsgBox(const std::string& prompt, long style = vbOKOnly, const std::string& title = "");
// "" on cancel.
std::string InputBox(const std::string& prompt, const std::string& title = "",
                     const std::string& defaultText = "");

}  // namespace platform::forms

// user32's box: the same box; a null or "" caption means App.Title.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
