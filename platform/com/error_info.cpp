#include "platform/com/error_info.h"

namespace {
thread_local std::optional<platform::com::ErrorInfo> pending;
}

void SetErrorInfoText(HRESULT hr, LPCOLESTR source, LPCOLESTR description) {
  using namespace platform::com;
  pending = ErrorInfo{hr, AnsiFromWide(WideOf(source)), AnsiFromWide(WideOf(description))};
}

namespace platform::com {

std::optional<ErrorInfo> TakeErrorInfo(HRESULT hr) {
  std::optional<ErrorInfo> info = std::move(pending);
  pending.reset();
  if (info && info->hr != hr) return std::nullopt;
  return info;
}

}  // namespace platform::com
