#include "gui/display.h"

#include <cstdlib>
#include <string_view>

namespace tessaly::gui {
namespace {

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

bool Equals(const char* name, std::string_view expected) {
  const char* value = std::getenv(name);
  return value && expected == value;
}

}  // namespace

bool RendererWanted() {
  if (Equals("TESSALY_HEADLESS", "1")) return false;
  return Set("DISPLAY") || Set("WAYLAND_DISPLAY") || Equals("QT_QPA_PLATFORM", "offscreen");
}

}  // namespace tessaly::gui
