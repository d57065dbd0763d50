#include "tools/type_library_client.h"

#include "platform/base/runtime_error.h"
#include "platform/com/type_lib_info.h"

namespace tools {

using platform::com::ComVariant;

platform::com::ComPtr<IDispatch> TypeLibraryClient::Library(const std::string& path) {
  try {
    if (!component_) component_ = platform::com::NewObject(platform::com::CLSID_TypeLibInfo);
    ComVariant library = platform::com::Invoke(component_.get(), platform::com::kDispidTypeLibInfoFromFile,
                                               DISPATCH_METHOD, {ComVariant::String(path)});
    return library.AsObject();
  } catch (const platform::RuntimeError&) {
    return nullptr;  // not registered, or no type library in the file
  }
}

std::optional<std::string> TypeLibraryClient::FirstCoClass(const std::string& path) {
  auto library = Library(path);
  if (!library) return std::nullopt;
  try {
    ComVariant coClass = platform::com::Invoke(library.get(), platform::com::kDispidTypeLibCoClasses,
                                               DISPATCH_PROPERTYGET, {ComVariant::Long(1)});
    auto info = coClass.AsObject();
    if (!info) return std::nullopt;
    return platform::com::Invoke(info.get(), platform::com::kDispidCoClassGuid, DISPATCH_PROPERTYGET).AsString();
  } catch (const platform::RuntimeError&) {
    return std::nullopt;  // a library without a class
  }
}

std::optional<std::string> TypeLibraryClient::LibraryId(const std::string& path) {
  auto library = Library(path);
  if (!library) return std::nullopt;
  try {
    return platform::com::Invoke(library.get(), platform::com::kDispidTypeLibGuid, DISPATCH_PROPERTYGET).AsString();
  } catch (const platform::RuntimeError&) {
    return std::nullopt;
  }
}

}  // namespace tools
