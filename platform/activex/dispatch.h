#pragma once
// Late-bound calls on the outside controls: a dispatch identity, the kind of
// call and the arguments as variants, as IDispatch::Invoke takes them.
#include <cstdint>
#include <vector>

#include "platform/base/hresult.h"
#include "platform/base/wintypes.h"
#include "platform/forms/property.h"

namespace platform::activex {

using DISPID = std::int32_t;
using DispatchArgs = std::vector<forms::Property>;

enum class DispatchKind { Method, PropertyGet, PropertyPut };

// The journal text of a handle ("0x100A4").
std::string HandleText(std::uint32_t handle);

}  // namespace platform::activex
