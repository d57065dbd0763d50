#pragma once
// Catching the runtime errors a statement raises, for assertions.
#include <functional>
#include <optional>

#include "platform/base/runtime_error.h"

namespace tessaly::testing {

// The runtime error `action` raised, or nothing.
inline std::optional<platform::RuntimeError> CaughtError(const std::function<void()>& action) {
  try {
    action();
  } catch (const platform::RuntimeError& error) {
    return error;
  }
  return std::nullopt;
}

// The number of the runtime error `action` raised; 0 when it raised none.
inline int ErrorOf(const std::function<void()>& action) {
  auto error = CaughtError(action);
  return error ? error->number() : 0;
}

}  // namespace tessaly::testing
