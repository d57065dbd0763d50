#include "platform/forms/controls/simple_controls.h"

namespace platform::forms {

std::string Label::ShownCaption() const {
  const std::string& caption = Caption();
  std::string shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        shown += '&';
        ++i;
      }
      continue;
    }
    shown += caption[i];
  }
  return shown;
}

}  // namespace platform::forms
