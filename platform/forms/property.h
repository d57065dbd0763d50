#pragma once
// A value read or written by property name (late-bound access): the
// runtime's one value type, converted by its rules.
#include "platform/runtime/variant.h"

namespace platform::forms {

using Property = vb::Variant;

}  // namespace platform::forms
