#include "platform/activex/skin.h"

#include "platform/base/cp1252.h"
#include "platform/base/journal.h"
#include "platform/base/runtime_error.h"

namespace platform::activex {

void Skin::LoadSkin(const std::string& path) {
  skinPath_.clear();
  skinName_.clear();
  objects_.clear();
  auto sections = ReadDescription(path);
  TheJournal().Record("Skin.LoadSkin", {path, sections ? "loaded" : "missing"});
  if (!sections) return;
  skinPath_ = path;
  for (const auto& section : *sections) {
    if (EqualsNoCase(section.name, "Skin")) {
      skinName_ = section.ValueOr("Name", "");
      continue;
    }
    objects_.push_back({section.name, section.values});
  }
}

const SkinObject* Skin::FindObject(const std::string& name) const {
  for (const auto& object : objects_)
    if (EqualsNoCase(object.name, name)) return &object;
  return nullptr;
}

void Skin::Record(HWND window, const std::string& object, bool known) {
  applied_.push_back({window, object, known});
}

void Skin::ApplySkin(HWND window) {
  Record(window, "", loaded());
  TheJournal().Record("Skin.ApplySkin", {HandleText(window), loaded() ? skinPath_ : ""});
}

std::int32_t Skin::ApplySkinObject(HWND window, const std::string& objectName) {
  Record(window, objectName, FindObject(objectName) != nullptr);
  TheJournal().Record("Skin.ApplySkinObject", {HandleText(window), objectName});
  return 0;
}

std::vector<std::string> Skin::AppliedTo(HWND window) const {
  std::vector<std::string> names;
  for (const auto& application : applied_)
    if (application.window == window) names.push_back(application.object);
  return names;
}

const forms::ControlMembers& Skin::Members() const {
  static const forms::ControlMembers members = forms::ControlMembers::Extend<Skin>(Control::Members())
      .Method("ApplySkinObject", kDispidApplySkinObject, &Skin::ApplySkinObject);
  return members;
}

const forms::ControlMembers& SkinLabel::Members() const {
  static const forms::ControlMembers members = forms::ControlMembers::Extend<SkinLabel>(CaptionedControl::Members())
      .Property("Active", kDispidSkinLabelActive, &SkinLabel::Active, &SkinLabel::Active);
  return members;
}

}  // namespace platform::activex
