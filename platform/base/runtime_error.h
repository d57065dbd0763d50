#pragma once
// Errors raised by runtime features (file statements, controls, conversions,
// automation objects): a C++ exception carrying number, source and text.
#include <cstdint>
#include <exception>
#include <string>

#include "platform/base/wintypes.h"

namespace platform {

class RuntimeError : public std::exception {
 public:
  RuntimeError(std::int32_t number, std::string source, std::string description);

  std::int32_t number() const { return number_; }
  const std::string& source() const { return source_; }
  const std::string& description() const { return description_; }
  const char* what() const noexcept override { return description_.c_str(); }

 private:
  std::int32_t number_;
  std::string source_;
  std::string description_;
};

// The runtime's standard text for an error number ("" when it has none).
std::string StandardErrorText(std::int32_t number);

// Raises error `number` with the standard text and the program's source name.
[[noreturn]] void RaiseRuntimeError(std::int32_t number);
[[noreturn]] void RaiseRuntimeError(std::int32_t number, const std::string& description);

// The runtime error a failed Win32 file call turns into (2 -> 53, 3 -> 76 ...).
std::int32_t RuntimeErrorForWin32(DWORD win32Code);

// The source name runtime errors carry by default (App.EXEName).
inline constexpr const char* kDefaultErrorSource = "tsy";

}  // namespace platform
