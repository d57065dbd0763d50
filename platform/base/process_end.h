#pragma once
// Ending the process is an exception that only `main` and the test harness
// catch: nothing below them runs cleanup handlers or calls std::exit.
#include <exception>
#include <functional>
#include <optional>

#include "platform/base/wintypes.h"

namespace platform {

class ProcessEnd : public std::exception {
 public:
  explicit ProcessEnd(UINT exitCode) : exitCode_(exitCode) {}
  UINT exitCode() const { return exitCode_; }
  const char* what() const noexcept override { return "process end"; }

 private:
  UINT exitCode_;
};

// Runs `body`; returns the exit code when it ended the process, else nullopt.
std::optional<UINT> RunUntilProcessEnd(const std::function<void()>& body);

}  // namespace platform

[[noreturn]] void ExitProcess(UINT exitCode);
