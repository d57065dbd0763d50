#pragma once
#include <memory>

#include "platform/files/delayed_moves.h"

namespace platform::files {
// The store over the registry value.
std::unique_ptr<PendingRenameStore> MakeRegistryPendingRenameStore();
}  // namespace platform::files
