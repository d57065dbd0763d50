#pragma once
// Error information that travels with a failing HRESULT: the object sets it
// just before it returns the failure, the caller's runtime takes it.
#include <optional>
#include <string>

#include "platform/com/com_memory.h"
#include "platform/base/hresult.h"

// Records source and description for `hr`, the failure about to be returned.
void SetErrorInfoText(HRESULT hr, LPCOLESTR source, LPCOLESTR description);

namespace platform::com {

struct ErrorInfo {
  HRESULT hr = 0;
  std::string source;
  std::string description;
};

// The recorded information for `hr`, cleared once taken (information left
// for another result is dropped).
std::optional<ErrorInfo> TakeErrorInfo(HRESULT hr);

}  // namespace platform::com
