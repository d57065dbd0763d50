#pragma once
// A BSTR owned by its holder: made from program (ANSI) text, freed at the
// end of its scope, refilled through put() by calls that hand one out.
#include <string>
#include <string_view>

#include "platform/com/com_memory.h"

namespace platform::com {

class Bstr {
 public:
  explicit Bstr(std::string_view text = "") : text_(AllocBstrFromAnsi(text)) {}
  ~Bstr() { SysFreeString(text_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return text_; }
  // For a call that hands out a new string: the old one is freed first.
  BSTR* put() {
    SysFreeString(text_);
    text_ = nullptr;
    return &text_;
  }
  std::string text() const { return AnsiFromWide(WideOf(text_)); }

 private:
  BSTR text_;
};

}  // namespace platform::com
