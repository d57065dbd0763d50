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

HRESULT Skin::Invoke(DISPID dispid, DispatchKind kind, const DispatchArgs& args, forms::Property* result) {
  if (dispid != kDispidApplySkinObject || kind != DispatchKind::Method) return DISP_E_MEMBERNOTFOUND;
  if (args.size() != 2) return DISP_E_BADPARAMCOUNT;
  try {
    HWND window = static_cast<HWND>(vb::CLng(args[0]));
    std::int32_t code = ApplySkinObject(window, vb::CStr(args[1]));
    if (result) *result = code;
    return S_OK;
  } catch (const RuntimeError&) {
    return DISP_E_TYPEMISMATCH;
  }
}

HRESULT SkinLabel::Invoke(DISPID dispid, DispatchKind kind, const DispatchArgs& args, forms::Property* result) {
  if (dispid != 2) return DISP_E_MEMBERNOTFOUND;
  if (kind == DispatchKind::PropertyGet) {
    if (result) *result = Active();
    return S_OK;
  }
  if (kind != DispatchKind::PropertyPut) return DISP_E_MEMBERNOTFOUND;
  if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
  try {
    Active(vb::CBool(args[0]));
    return S_OK;
  } catch (const RuntimeError&) {
    return DISP_E_TYPEMISMATCH;
  }
}

}  // namespace platform::activex
