#include "platform/com/type_lib_info.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/base/runtime_error.h"
#include "platform/com/member_dispatch.h"
#include "platform/com/class_factory.h"
#include "platform/files/stand_in.h"

namespace platform::com {
namespace {

// One object of the component: IUnknown and IDispatch; each class answers
// its own few members.
class DispatchObject : public ComObject<IDispatch> {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch) return Give(static_cast<IDispatch*>(this), object);
    return E_NOINTERFACE;
  }
};

// An argument converted by the runtime's rules; nothing when it does not
// convert.
template <typename T>
std::optional<T> Argument(const VARIANT& arg) {
  vb::Variant value;
  if (!RuntimeValueOf(arg, value)) return std::nullopt;
  try {
    return vb::ArgumentAs<T>(value);
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
}

HRESULT ReturnText(VARIANT* result, const std::string& text) {
  return result ? StoreRuntimeValue(result, vb::Variant(text)) : S_OK;
}

// Hands over the caller's only reference to `object`.
HRESULT ReturnObject(VARIANT* result, IDispatch* object) {
  if (!result) {
    object->Release();
    return S_OK;
  }
  VariantClear(result);
  result->vt = VT_DISPATCH;
  result->pdispVal = object;
  return S_OK;
}

// The registry form of a GUID field; nothing when it is no GUID.
std::optional<std::string> GuidText(const std::string& field) {
  auto guid = ParseGuid(field);
  if (!guid) return std::nullopt;
  return FormatGuid(*guid);
}

class CoClassInfo final : public DispatchObject {
 public:
  explicit CoClassInfo(std::string guid) : guid_(std::move(guid)) {}
  HRESULT Invoke(DISPID member, WORD kind, VARIANT*, UINT count, VARIANT* result) override {
    if (member != kDispidCoClassGuid || !(kind & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (count != 0) return DISP_E_BADPARAMCOUNT;
    return ReturnText(result, guid_);
  }

 private:
  std::string guid_;
};

class TypeLibInfo final : public DispatchObject {
 public:
  TypeLibInfo(std::string guid, std::vector<std::string> classes) : guid_(std::move(guid)), classes_(std::move(classes)) {}
  HRESULT Invoke(DISPID member, WORD kind, VARIANT* args, UINT count, VARIANT* result) override {
    if (!(kind & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (member == kDispidTypeLibGuid) {
      if (count != 0) return DISP_E_BADPARAMCOUNT;
      return ReturnText(result, guid_);
    }
    if (member != kDispidTypeLibCoClasses) return DISP_E_MEMBERNOTFOUND;
    if (count != 1) return DISP_E_BADPARAMCOUNT;
    auto index = Argument<LONG>(args[0]);
    if (!index) return DISP_E_TYPEMISMATCH;
    if (*index < 1 || static_cast<std::size_t>(*index) > classes_.size()) return TYPE_E_ELEMENTNOTFOUND;
    return ReturnObject(result, new CoClassInfo(classes_[*index - 1]));
  }

 private:
  std::string guid_;
  std::vector<std::string> classes_;
};

class TypeLibApplication final : public DispatchObject {
 public:
  HRESULT Invoke(DISPID member, WORD kind, VARIANT* args, UINT count, VARIANT* result) override {
    if (member != kDispidTypeLibInfoFromFile || !(kind & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    if (count != 1) return DISP_E_BADPARAMCOUNT;
    auto path = Argument<std::string>(args[0]);
    if (!path) return DISP_E_TYPEMISMATCH;
    std::optional<files::StandInHeader> header;
    if (files::ReadStandInHeader(*path, header) != ERROR_SUCCESS || !header) return TYPE_E_CANTLOADLIBRARY;
    auto library = GuidText(header->typelib());
    if (!library) return TYPE_E_CANTLOADLIBRARY;
    std::vector<std::string> classes;
    for (const std::string& field : header->coclasses())
      if (auto guid = GuidText(field)) classes.push_back(*guid);
    return ReturnObject(result, new TypeLibInfo(*library, std::move(classes)));
  }
};

}  // namespace

HRESULT GetTypeLibInfoClassObject(REFCLSID clsid, REFIID iid, void** object) {
  return GetSingleClassObject<TypeLibApplication>(clsid, CLSID_TypeLibInfo, iid, object);
}

}  // namespace platform::com
