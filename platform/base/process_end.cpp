#include "platform/base/process_end.h"

#include "platform/base/journal.h"

#include <string>

namespace platform {

std::optional<UINT> RunUntilProcessEnd(const std::function<void()>& body) {
  try {
    body();
  } catch (const ProcessEnd& end) {
    return end.exitCode();
  }
  return std::nullopt;
}

}  // namespace platform

void ExitProcess(UINT exitCode) {
  platform::TheJournal().Record("ExitProcess", {std::to_string(exitCode)});
  throw platform::ProcessEnd(exitCode);
}
