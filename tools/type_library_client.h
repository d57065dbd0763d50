#pragma once
// The main window's use of the type-library information component: one
// instance, created on first use through its class identity. Every answer
// is nothing when the component cannot be created, when the file has no
// type library, or when the library describes no class.
#include <optional>
#include <string>

#include "platform/com/automation.h"

namespace tools {

class TypeLibraryClient {
 public:
  // The braced CLSID of the first class the file's type library describes.
  std::optional<std::string> FirstCoClass(const std::string& path);
  // The braced LIBID of the file's type library.
  std::optional<std::string> LibraryId(const std::string& path);

 private:
  platform::com::ComPtr<IDispatch> Library(const std::string& path);

  platform::com::ComPtr<IDispatch> component_;
};

}  // namespace tools
