#pragma once
// The support classes carry values as the runtime's one value type.
#include "platform/runtime/variant.h"

using platform::vb::ByteArray;
using platform::vb::Variant;
