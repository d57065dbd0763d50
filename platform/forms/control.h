#pragma once
// What every control has: identity (kind, Name, Index), its form and
// container, geometry in twips, Enabled/Visible, Tag, a window when the kind
// is windowed, mouse events and late-bound property access. The renderer
// inspects controls only through this interface.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/control_kind.h"
#include "platform/forms/repaint.h"
#include "platform/forms/event.h"
#include "platform/forms/property.h"
#include "platform/forms/window_table.h"
#include "platform/runtime/member_table.h"

namespace platform::forms {

class Form;
class Control;

// The late-bound members of a control class (see platform/runtime/member_table.h):
// each class overrides Members() with its base's table extended by its own.
using ControlMembers = vb::MemberTable<Control>;
using vb::DispatchArgs;
using vb::DispatchKind;

class Control : public WindowTarget {
 public:
  Control(Form& form, std::string name, ControlKind kind, Control* container, std::optional<int> index);
  ~Control() override;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind kind() const { return kind_; }
  bool IsKind(ControlKind kind) const { return kind_ == kind; }  // TypeOf
  const std::string& Name() const { return name_; }
  // Raises 343 when the control is not in an array.
  int Index() const;
  std::optional<int> IndexIfArray() const { return index_; }
  Form& Parent() const { return form_; }
  // The container (a frame, a picture box, a parent menu); null = the form.
  Control* Container() const { return container_; }
  bool windowed() const { return KindIsWindowed(kind_); }
  // Raises 438 for windowless kinds.
  HWND hWnd() const;
  // The window handle, 0 for windowless kinds (no error).
  HWND window() const { return hwnd_; }
  std::uint64_t serial() const { return serial_; }

  bool Enabled() const { return enabled_; }
  void Enabled(bool value) { enabled_ = value; }
  bool Visible() const { return visible_; }
  void Visible(bool value) { visible_ = value; }
  // Enabled and inside enabled containers: whether user input reaches it.
  bool AcceptsInput() const;
  float Left() const { return left_; }
  float Top() const { return top_; }
  float Width() const { return width_; }
  float Height() const { return height_; }
  void Left(float value) { left_ = value; }
  void Top(float value) { top_ = value; }
  void Width(float value) { width_ = value; }
  void Height(float value) { height_ = value; }
  void Move(float left, std::optional<float> top = {}, std::optional<float> width = {},
            std::optional<float> height = {});
  const std::string& Tag() const { return tag_; }
  void Tag(std::string value) { tag_ = std::move(value); }
  const std::string& ToolTipText() const { return toolTip_; }
  void ToolTipText(std::string value) { toolTip_ = std::move(value); }
  void SetFocus();
  void ZOrder(int position = 0);
  // Draws the window now where a renderer draws; dispatches nothing.
  void Refresh() { RequestRepaint(); }

  // Late-bound access by name; 438 when the control lacks the member.
  Property Get(std::string_view property) const { return Members().Get(*this, property); }
  void Let(std::string_view property, const Property& value) { Members().Let(*this, property, value); }
  Property Call(std::string_view method, const DispatchArgs& args) { return Members().Call(*this, method, args); }
  // A late-bound call by dispatch identity, as IDispatch::Invoke answers it.
  HRESULT Invoke(DISPID dispid, DispatchKind kind, const DispatchArgs& args, Property* result = nullptr);
  virtual const ControlMembers& Members() const;
  // The items a list-like control shows (the renderer draws them).
  virtual std::vector<std::string> Items() const { return {}; }

  // A user's click (item: the list entry clicked, -1 for none), as the
  // event queue delivers it; disabled controls ignore it.
  void UserClick(int item = -1);

  Event<int, int, float, float> MouseDown, MouseMove, MouseUp;  // Button, Shift, X, Y
  Event<> GotFocus, LostFocus;

  // WindowTarget.
  std::string WindowText() const override;
  std::string WindowClass() const override { return std::string(KindClassName(kind_)); }
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Called when the form unloads: the window goes, events stop.
  virtual void Detach();

 protected:
  // A call by a dispatch identity the table does not know.
  virtual HRESULT InvokeUnknown(DISPID dispid, DispatchKind kind, const DispatchArgs& args, Property* result) {
    return DISP_E_MEMBERNOTFOUND;
  }
  virtual void OnUserClick(int item) {}

 private:
  Form& form_;
  std::string name_;
  ControlKind kind_;
  Control* container_;
  std::optional<int> index_;
  HWND hwnd_ = 0;
  std::uint64_t serial_;
  bool enabled_ = true;
  bool visible_ = true;
  float left_ = 0, top_ = 0, width_ = 1215, height_ = 375;
  std::string tag_, toolTip_;
};

// The live control with this serial, or null once it is gone.
Control* LiveControl(std::uint64_t serial);

}  // namespace platform::forms
