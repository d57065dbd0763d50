#pragma once
// File times as the runtime shows them: a FILETIME (UTC) in the machine's
// local time as a Date, to whole seconds.
#include <cstdint>

#include "platform/base/wintypes.h"
#include "platform/runtime/dates.h"

namespace platform::files {

forms::Date LocalDateOfFileTime(const FILETIME& utc);

}  // namespace platform::files
