#pragma once
// An open registry key, closed when the scope ends.
#include "platform/registry/advapi32.h"

namespace cleaning {

class KeyHandle {
 public:
  KeyHandle() = default;
  ~KeyHandle() {
    if (handle_) RegCloseKey(handle_);
  }
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;
  HKEY* out() { return &handle_; }
  HKEY get() const { return handle_; }

 private:
  HKEY handle_ = 0;
};

}  // namespace cleaning
