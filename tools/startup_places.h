#pragma once
// The registry keys whose values Windows starts at log-on, and the location
// text a start-up row carries: the root's full name, "/" and the key path.
#include <optional>
#include <span>
#include <string>

#include "platform/base/wintypes.h"

namespace tools {

struct StartUpPlace {
  HKEY root;
  const char* rootName;
  const char* path;
};

// The five keys in listing order: the user's Run, then the machine's Run,
// RunOnce, RunOnceEx and RunServices.
std::span<const StartUpPlace> StartUpPlaces();

std::string LocationText(const StartUpPlace& place);

struct RunKey {
  HKEY root;
  std::string rootName, path;
};

// The key a location names; nothing for a root other than the machine's or
// the user's (such rows are left alone) or for text without "/".
std::optional<RunKey> ParseLocation(const std::string& location);

}  // namespace tools
