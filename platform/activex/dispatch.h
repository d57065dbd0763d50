#pragma once
// Late-bound calls on the outside controls: each stand-in registers its
// members with their dispatch identities in its member table
// (forms::Control::Members); Control::Invoke and IDispatch are served from it.
#include <cstdint>
#include <string>

#include "platform/forms/control.h"

namespace platform::activex {

using forms::DispatchArgs;
using forms::DispatchKind;

// The journal text of a handle ("0x100A4").
std::string HandleText(std::uint32_t handle);

}  // namespace platform::activex
