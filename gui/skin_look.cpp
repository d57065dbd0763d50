#include "gui/skin_look.h"

#include "platform/base/cp1252.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime_state.h"

namespace tessaly::gui {
namespace {

using platform::activex::Skin;
using platform::activex::SkinObject;
using platform::forms::Control;
using platform::forms::ControlKind;

struct KindObject {
  ControlKind kind;
  const char* object;
};

// The object a whole-skin application gives each kind of control.
constexpr KindObject kKindObjects[] = {
    {ControlKind::CommandButton, "Button"}, {ControlKind::CheckBox, "Check"}, {ControlKind::OptionButton, "Radio"},
    {ControlKind::Frame, "Frame"},          {ControlKind::Label, "Static"},   {ControlKind::SkinLabel, "Static"},
};

std::optional<QColor> ColorValue(const SkinObject& object, std::string_view key) {
  for (const auto& [name, value] : object.look) {
    if (!platform::EqualsNoCase(name, key)) continue;
    QColor color(QString::fromStdString(value));
    if (value.starts_with('#') && color.isValid()) return color;
    return std::nullopt;
  }
  return std::nullopt;
}

std::string TextValue(const SkinObject& object, std::string_view key) {
  for (const auto& [name, value] : object.look)
    if (platform::EqualsNoCase(name, key)) return value;
  return {};
}

SkinLook ObjectLook(const Skin& skin, const std::string& name) {
  const SkinObject* object = skin.FindObject(name);
  return object ? LookOf(*object) : SkinLook{};
}

}  // namespace

void SkinLook::Merge(const SkinLook& over) {
  if (over.back) back = over.back;
  if (over.fore) fore = over.fore;
  if (!over.fontName.isEmpty()) fontName = over.fontName;
  if (over.fontSize > 0) fontSize = over.fontSize;
  bold = bold || over.bold;
  rounded = rounded || over.rounded;
}

std::string SkinLook::Signature() const {
  auto color = [](const std::optional<QColor>& c) { return c ? c->name().toStdString() : std::string("-"); };
  return color(back) + '/' + color(fore) + '/' + fontName.toStdString() + '/' + std::to_string(fontSize) + '/' +
         (bold ? 'b' : '-') + (rounded ? 'r' : '-');
}

SkinLook LookOf(const SkinObject& object) {
  SkinLook look;
  look.back = ColorValue(object, "BackColor");
  look.fore = ColorValue(object, "ForeColor");
  look.fontName = QString::fromStdString(platform::Cp1252ToUtf8(TextValue(object, "FontName")));
  look.fontSize = std::max(0, std::atoi(TextValue(object, "FontSize").c_str()));
  look.bold = TextValue(object, "FontBold") == "1";
  look.rounded = platform::EqualsNoCase(TextValue(object, "Shape"), "rounded");
  return look;
}

SkinLooks SkinLooks::Gather() {
  SkinLooks looks;
  for (platform::forms::Form* form : platform::forms::runtime::LoadedForms())
    for (Control* control : form->Controls()) {
      if (!control->IsKind(ControlKind::Skin)) continue;
      const auto& skin = static_cast<const Skin&>(*control);
      for (const auto& application : skin.applied()) {
        if (!application.known) continue;
        if (application.object.empty()) looks.wholeSkin_[application.window] = &skin;
        else looks.applied_[application.window].Merge(ObjectLook(skin, application.object));
      }
    }
  return looks;
}

SkinLook SkinLooks::Applied(HWND window) const {
  auto it = applied_.find(window);
  return it == applied_.end() ? SkinLook{} : it->second;
}

SkinLook SkinLooks::OfWindow(HWND window) const {
  SkinLook look;
  if (auto it = wholeSkin_.find(window); it != wholeSkin_.end()) look = ObjectLook(*it->second, "Form");
  look.Merge(Applied(window));
  return look;
}

SkinLook SkinLooks::OfControl(const Control& control, HWND form) const {
  SkinLook look;
  if (auto it = wholeSkin_.find(form); it != wholeSkin_.end())
    for (const auto& row : kKindObjects)
      if (control.IsKind(row.kind)) look = ObjectLook(*it->second, row.object);
  if (control.windowed()) look.Merge(Applied(control.hWnd()));
  return look;
}

}  // namespace tessaly::gui
