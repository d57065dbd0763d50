#include "platform/forms/form.h"

#include <algorithm>

#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"
#include "platform/forms/runtime_state.h"

namespace platform::forms {

Form::Form(std::string name) : name_(std::move(name)), caption_(name_) {
  hwnd_ = Windows().Create(*this, 0);
  icon_ = Windows().NewIcon();
}

Form::~Form() { DestroyWindows(); }

void Form::RemoveControl(Control& control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
}

Control* Form::FindControl(std::string_view name, std::optional<int> index) const {
  for (Control* control : controls_)
    if (EqualsNoCase(control->Name(), name) && control->IndexIfArray() == index) return control;
  return nullptr;
}

void Form::WindowState(int value) {
  if (value < 0 || value > 2) RaiseRuntimeError(380);
  if (value == windowState_) return;
  windowState_ = value;
  Form_Resize();
}

void Form::Move(float left, std::optional<float> top, std::optional<float> width,
                std::optional<float> height) {
  bool resized = (width && *width != width_) || (height && *height != height_);
  left_ = left;
  if (top) top_ = *top;
  if (width) width_ = *width;
  if (height) height_ = *height;
  if (resized && loaded_) Form_Resize();
}

void Form::Show() {
  visible_ = true;
  if (hwnd_) Windows().BringToTop(hwnd_);
}

void Form::ZOrder(int position) {
  if (!hwnd_) return;
  if (position == 0) Windows().BringToTop(hwnd_);
  else Windows().SendToBack(hwnd_);
}

void Form::SetFocus() {
  if (!visible_ || !enabled_) RaiseRuntimeError(5);
  Form_GotFocus();
}

float Form::TextWidth(std::string_view text) const {
  return static_cast<float>(text.size()) * 7 * kTwipsPerPixel;
}

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  runtime::FormLoaded(*this);
  Form_Load();
}

bool Form::RequestUnload(int unloadMode) {
  if (!loaded_) return true;
  int cancel = 0;
  Form_QueryUnload(cancel, unloadMode);
  if (cancel != 0) return false;
  Form_Unload(cancel);
  if (cancel != 0) return false;
  loaded_ = false;
  visible_ = false;
  DestroyWindows();
  runtime::FormUnloaded(*this);
  return true;
}

void Form::DestroyWindows() {
  for (Control* control : controls_) control->Detach();
  if (hwnd_) Windows().Destroy(hwnd_);
  hwnd_ = 0;
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    RequestUnload(vbFormControlMenu);
    return 0;
  }
  return HandleSharedMessage(hwnd_, message, wParam, lParam, {MouseDown, MouseMove, MouseUp});
}

std::vector<Form*> LoadedForms() { return runtime::LoadedForms(); }

void Unload(Form& form) { form.RequestUnload(vbFormCode); }

}  // namespace platform::forms
