#pragma once
// A section item bound to one cleaner of the engine form: the bytes it
// returns, an Empty result (the registry-only cleaners) counting as 0.
#include <cstdint>
#include <variant>

#include "cleaning/frmClean.h"

namespace run_detail {
inline std::int64_t Bytes(std::int32_t bytes) { return bytes; }
inline std::int64_t Bytes(const platform::forms::Property& result) {
  return std::holds_alternative<std::monostate>(result) ? 0 : platform::vb::CDbl(result);
}
}  // namespace run_detail

template <auto Cleaner>
std::int64_t EngineCleaner() {
  return run_detail::Bytes((frmClean().*Cleaner)());
}
