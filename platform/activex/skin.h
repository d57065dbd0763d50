#pragma once
// Stand-in for the skinning control ACTIVESKINLibCtl.Skin and its label.
// The skin is our own text description (resources/Skin/*.skn): a [Skin]
// section naming it, then one section per named object ("MainMask",
// "Button" ...) whose values a renderer uses to draw that look. The control
// records every application so tests and the renderer can see which window
// wears which object. It never raises.
#include <map>
#include <string>
#include <vector>

#include "platform/activex/description_file.h"
#include "platform/activex/dispatch.h"
#include "platform/forms/controls/captioned.h"

namespace platform::activex {

constexpr DISPID kDispidApplySkinObject = 0x60020007;
constexpr DISPID kDispidSkinLabelActive = 2;

struct SkinObject {
  std::string name;
  std::vector<std::pair<std::string, std::string>> look;  // drawing values
};

// One application of the skin: the window and the object ("" = whole skin).
struct SkinApplication {
  HWND window = 0;
  std::string object;
  bool known = false;  // the skin was loaded and has the object (or a whole-skin call with a skin)
};

class Skin : public forms::Control {
 public:
  Skin(forms::Form& form, std::string name, forms::Control* container = nullptr, std::optional<int> index = {})
      : Control(form, std::move(name), forms::ControlKind::Skin, container, index) {}

  // Reads the description; a missing or unreadable file leaves no skin loaded.
  void LoadSkin(const std::string& path);
  // Applies the whole loaded skin to a window.
  void ApplySkin(HWND window);
  // Applies one named object to a window; always returns 0.
  std::int32_t ApplySkinObject(HWND window, const std::string& objectName);
  // Late-bound: dispid 0x60020007 (hWnd, name) is ApplySkinObject.
  const forms::ControlMembers& Members() const override;

  bool loaded() const { return !skinPath_.empty(); }
  const std::string& skinPath() const { return skinPath_; }
  const std::string& skinName() const { return skinName_; }
  const std::vector<SkinObject>& objects() const { return objects_; }
  const SkinObject* FindObject(const std::string& name) const;
  // Every application in call order.
  const std::vector<SkinApplication>& applied() const { return applied_; }
  // The objects applied to one window, in order.
  std::vector<std::string> AppliedTo(HWND window) const;

 private:
  void Record(HWND window, const std::string& object, bool known);

  std::string skinPath_, skinName_;
  std::vector<SkinObject> objects_;
  std::vector<SkinApplication> applied_;
};

// ACTIVESKINLibCtl.SkinLabel, interface {D7C9C197-56A7-4F07-ABCD-4EBD5CB61E61}:
// a windowed label; its property with dispid 2 is a stored Boolean that acts
// like Enabled.
class SkinLabel : public forms::CaptionedControl {
 public:
  static constexpr const char* kInterfaceId = "{D7C9C197-56A7-4F07-ABCD-4EBD5CB61E61}";
  SkinLabel(forms::Form& form, std::string name, forms::Control* container = nullptr, std::optional<int> index = {})
      : CaptionedControl(form, std::move(name), forms::ControlKind::SkinLabel, container, index) {}
  const forms::ControlMembers& Members() const override;
  bool Active() const { return Enabled(); }
  void Active(bool value) { Enabled(value); }
};

}  // namespace platform::activex
