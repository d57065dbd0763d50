#pragma once
// A form: a top-level window holding controls in design order. Program forms
// derive from it, declare their controls as members and override the
// Form_* procedures they handle.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/repaint.h"
#include "platform/forms/window_messages.h"

namespace platform::forms {

// UnloadMode values of QueryUnload.
enum UnloadMode : int {
  vbFormControlMenu = 0,  // close box or WM_CLOSE
  vbFormCode = 1,         // the Unload statement
  vbAppWindows = 2,       // Windows ending
  vbAppTaskManager = 3,   // task list
};

class Form : public WindowTarget {
 public:
  explicit Form(std::string name);
  ~Form() override;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void Caption(std::string value) { caption_ = std::move(value); }
  HWND hWnd() const { return hwnd_; }
  bool Visible() const { return visible_; }
  void Visible(bool value) { visible_ = value; }
  bool Enabled() const { return enabled_; }
  void Enabled(bool value) { enabled_ = value; }
  int WindowState() const { return windowState_; }
  void WindowState(int value);  // 0 normal, 1 minimised, 2 maximised; Resize
  float Left() const { return left_; }
  float Top() const { return top_; }
  float Width() const { return width_; }
  float Height() const { return height_; }
  void Left(float value) { Move(value); }
  void Top(float value) { Move(left_, value); }
  void Width(float value) { Move(left_, top_, value); }
  void Height(float value) { Move(left_, top_, width_, value); }
  long BackColor() const { return backColor_; }
  void BackColor(long value) { backColor_ = value; }
  int MousePointer() const { return mousePointer_; }
  void MousePointer(int value) { mousePointer_ = value; }
  // The form's icon handle; each form has one of its own from its creation.
  std::uint32_t Icon() const { return icon_; }
  void Icon(std::uint32_t handle) { icon_ = handle; }
  const std::string& Tag() const { return tag_; }
  void Tag(std::string value) { tag_ = std::move(value); }
  // Controls in design order.
  const std::vector<Control*>& Controls() const { return controls_; }
  // The control (or the array member) named so; null when none.
  Control* FindControl(std::string_view name, std::optional<int> index = {}) const;

  void Show();
  void Hide() { visible_ = false; }
  void Move(float left, std::optional<float> top = {}, std::optional<float> width = {},
            std::optional<float> height = {});
  // Draws the window now where a renderer draws; dispatches nothing.
  void Refresh() { RequestRepaint(); }
  void ZOrder(int position = 0);
  void SetFocus();
  // Width of `text` in twips (7 pixels per character).
  float TextWidth(std::string_view text) const;

  bool loaded() const { return loaded_; }
  // Loads the form: Form_Load runs, the form stays hidden.
  void Load();
  // QueryUnload then Unload; false when a handler cancelled. The form's
  // windows and controls are gone afterwards.
  bool RequestUnload(int unloadMode);

  Event<int, int, float, float> MouseDown, MouseMove, MouseUp;

  // WindowTarget.
  std::string WindowText() const override { return caption_; }
  std::string WindowClass() const override { return "Form"; }
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Used by Control.
  void AddControl(Control& control) { controls_.push_back(&control); }
  void RemoveControl(Control& control);

 protected:
  virtual void Form_Load() {}
  virtual void Form_QueryUnload(int& Cancel, int UnloadMode) {}
  virtual void Form_Unload(int& Cancel) {}
  virtual void Form_Resize() {}
  virtual void Form_GotFocus() {}

 private:
  void DestroyWindows();

  std::string name_, caption_, tag_;
  HWND hwnd_;
  bool visible_ = false, enabled_ = true, loaded_ = false;
  int windowState_ = 0, mousePointer_ = 0;
  float left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
  long backColor_ = 0x8000000F;
  std::uint32_t icon_ = 0;
  std::vector<Control*> controls_;
};

// Loaded forms, in load order (the Forms collection).
std::vector<Form*> LoadedForms();
// The Unload statement.
void Unload(Form& form);

// Declares a control member: TSY_CONTROL(CheckBox, chkBleach);
#define TSY_CONTROL(Kind, name) ::platform::forms::Kind name{*this, #name}
// A control inside a container control: TSY_CONTROL_IN(OptionButton, optA, fraMode);
#define TSY_CONTROL_IN(Kind, name, container) ::platform::forms::Kind name{*this, #name, &(container)}
// A control array of `count` members indexed from 0: TSY_CONTROL_ARRAY(CheckBox, chkIE, 7);
#define TSY_CONTROL_ARRAY(Kind, name, count) \
  ::platform::forms::ControlArray<::platform::forms::Kind> name{*this, #name, count}
#define TSY_CONTROL_ARRAY_IN(Kind, name, count, container) \
  ::platform::forms::ControlArray<::platform::forms::Kind> name{*this, #name, count, &(container)}

}  // namespace platform::forms
