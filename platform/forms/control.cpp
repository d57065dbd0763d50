#include "platform/forms/control.h"

#include "platform/base/runtime_error.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime_state.h"
#include "platform/forms/window_messages.h"

namespace platform::forms {

Control::Control(Form& form, std::string name, ControlKind kind, Control* container,
                 std::optional<int> index)
    : form_(form), name_(std::move(name)), kind_(kind), container_(container), index_(index) {
  serial_ = runtime::RegisterControl(*this);
  form_.AddControl(*this);
  if (windowed()) {
    HWND parent = container_ && container_->window() ? container_->window() : form_.hWnd();
    hwnd_ = Windows().Create(*this, parent);
  }
}

Control::~Control() {
  Detach();
  form_.RemoveControl(*this);
}

void Control::Detach() {
  if (hwnd_) Windows().Destroy(hwnd_);
  hwnd_ = 0;
  runtime::UnregisterControl(serial_);
}

Control* LiveControl(std::uint64_t serial) { return runtime::FindControl(serial); }

int Control::Index() const {
  if (!index_) RaiseRuntimeError(343);
  return *index_;
}

HWND Control::hWnd() const {
  if (!windowed()) RaiseRuntimeError(438);
  return hwnd_;
}

bool Control::AcceptsInput() const {
  if (!form_.Enabled()) return false;
  for (const Control* at = this; at; at = at->container_)
    if (!at->enabled_ || !at->visible_) return false;
  return true;
}

void Control::Move(float left, std::optional<float> top, std::optional<float> width,
                   std::optional<float> height) {
  left_ = left;
  if (top) top_ = *top;
  if (width) width_ = *width;
  if (height) height_ = *height;
}

void Control::SetFocus() {
  if (!AcceptsInput()) RaiseRuntimeError(5);
  GotFocus.Raise();
}

void Control::ZOrder(int position) {
  if (!hwnd_) return;
  if (position == 0) Windows().BringToTop(hwnd_);
  else Windows().SendToBack(hwnd_);
}

Property Control::Get(std::string_view property) const {
  Property value;
  if (GetNamed(property, value)) return value;
  if (property == "Name") return name_;
  if (property == "Index") return std::int32_t{Index()};
  if (property == "hWnd") return static_cast<std::int32_t>(hWnd());
  if (property == "Enabled") return enabled_;
  if (property == "Visible") return visible_;
  if (property == "Tag") return tag_;
  RaiseRuntimeError(438);
}

void Control::Let(std::string_view property, const Property& value) {
  if (LetNamed(property, value)) return;
  if (property == "Enabled") return Enabled(vb::CBool(value));
  if (property == "Visible") return Visible(vb::CBool(value));
  if (property == "Tag") return Tag(vb::CStr(value));
  RaiseRuntimeError(438);
}

void Control::UserClick(int item) {
  if (AcceptsInput()) OnUserClick(item);
}

std::string Control::WindowText() const {
  Property value;
  if (GetNamed("Caption", value) || GetNamed("Text", value)) return vb::CStr(value);
  return {};
}

LRESULT Control::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return HandleSharedMessage(hwnd_, message, wParam, lParam, {MouseDown, MouseMove, MouseUp});
}

}  // namespace platform::forms
