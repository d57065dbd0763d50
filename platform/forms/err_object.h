#pragma once
// The Err object and the statement guard of "go on past failures" code:
//   OnErrorResumeNext guard;
//   guard([&] { Kill(path); });
//   guard([&] { RmDir(folder); });
// Each statement that raises a runtime error sets Err and the next one runs.
// Other C++ exceptions are bugs (or the process ending) and pass through.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/base/runtime_error.h"

namespace platform::forms {

class ErrObject {
 public:
  std::int32_t Number() const { return number_; }
  const std::string& Source() const { return source_; }
  const std::string& Description() const { return description_; }
  // Sets Err and raises: source defaults to App.EXEName, the description to
  // the standard text of the number.
  [[noreturn]] void Raise(std::int32_t number, std::optional<std::string> source = std::nullopt,
                          std::optional<std::string> description = std::nullopt);
  void Clear();
  // Takes the number, source and text of a caught error.
  void Set(const RuntimeError& error);

 private:
  std::int32_t number_ = 0;
  std::string source_, description_;
};

extern ErrObject Err;

class OnErrorResumeNext {
 public:
  template <class Statement>
  void operator()(Statement&& statement) {
    try {
      statement();
    } catch (const RuntimeError& error) {
      Err.Set(error);
    }
  }
};

}  // namespace platform::forms
