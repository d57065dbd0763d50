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

const ControlMembers& Control::Members() const {
  static const ControlMembers members = ControlMembers::Of()
      .Property("Name", &Control::Name)
      .Property("Index", &Control::Index)
      .Property("hWnd", &Control::hWnd)
      .Property("Enabled", &Control::Enabled, &Control::Enabled)
      .Property("Visible", &Control::Visible, &Control::Visible)
      .Property("Tag", &Control::Tag, &Control::Tag);
  return members;
}

HRESULT Control::Invoke(DISPID dispid, DispatchKind kind, const DispatchArgs& args, Property* result) {
  if (!Members().FindById(dispid)) return InvokeUnknown(dispid, kind, args, result);
  return Members().Invoke(*this, dispid, kind, args, result);
}

void Control::UserClick(int item) {
  if (AcceptsInput()) OnUserClick(item);
}

std::string Control::WindowText() const {
  for (std::string_view name : {"Caption", "Text"})
    if (const auto* member = Members().FindByName(name); member && member->get) return vb::CStr(member->get(*this));
  return {};
}

LRESULT Control::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return HandleSharedMessage(hwnd_, message, wParam, lParam, {MouseDown, MouseMove, MouseUp});
}

}  // namespace platform::forms
