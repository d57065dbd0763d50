#include "support/CLBHScroll.h"

#include "platform/forms/form.h"
#include "platform/forms/screen.h"
#include "platform/forms/user32.h"

namespace {
constexpr WPARAM SB_RIGHT = 7;
}

void CLBHScroll::Init(platform::forms::ListBox& listBox) {
  listBox_ = &listBox;
  listBox.Clear();
  widest_ = 0;
}

void CLBHScroll::AddItem(const std::string& itemText) {
  if (!listBox_) return;
  listBox_->AddItem(itemText);
  float width = listBox_->Parent().TextWidth(itemText);
  if (width > widest_) {
    widest_ = width;
    auto pixels = static_cast<WPARAM>(width / platform::forms::Screen.TwipsPerPixelX() +
                                      GetSystemMetrics(SM_CXVSCROLL) + 2);
    SendMessageA(listBox_->hWnd(), LB_SETHORIZONTALEXTENT, pixels, 0);
  }
  SendMessageA(listBox_->hWnd(), WM_HSCROLL, SB_RIGHT, 0);
}
