#pragma once
#include <string>

namespace platform {
// The program folder of the running program on the bound machine (App.Path):
// no trailing backslash except at a drive root; "" when no machine is bound.
std::string AppPath();
}  // namespace platform
