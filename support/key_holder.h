#pragma once
// An open registry key, closed when the holder goes, by return or by raise.
// The registry classes and the cleaning engine hold their keys in it.
#include "platform/registry/advapi32.h"

class KeyHolder {
 public:
  KeyHolder() = default;
  ~KeyHolder() { Close(); }
  KeyHolder(const KeyHolder&) = delete;
  KeyHolder& operator=(const KeyHolder&) = delete;
  // For the open and create calls; a failed call leaves it 0.
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }
  void Close() {
    if (key_) RegCloseKey(key_);
    key_ = 0;
  }

 private:
  HKEY key_ = 0;
};
