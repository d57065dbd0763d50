#include "platform/activex/dispatch.h"

#include <cstdio>

namespace platform::activex {

std::string HandleText(std::uint32_t handle) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%X", handle);
  return buffer;
}

}  // namespace platform::activex
