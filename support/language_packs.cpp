#include "support/language_packs.h"

#include <cstring>

#include "platform/forms/app_object.h"
#include "platform/forms/controls/captioned.h"
#include "platform/forms/err_object.h"
#include "platform/profile/profile.h"
#include "support/path_helpers.h"

using platform::forms::ControlKind;

std::string CurrentLanguage;

namespace {

// The kinds that take a caption, in the order the program tests them.
constexpr ControlKind kCaptionedKinds[] = {
    ControlKind::Frame,    ControlKind::Label,    ControlKind::SkinLabel,    ControlKind::CommandButton,
    ControlKind::Menu,     ControlKind::CheckBox, ControlKind::OptionButton,
};

bool TakesCaption(const platform::forms::Control& control) {
  for (ControlKind kind : kCaptionedKinds)
    if (control.IsKind(kind)) return true;
  return false;
}

// A default no caption can hold: tells a missing key from an empty value.
constexpr const char* kMissing = "\x01missing\x01";
constexpr DWORD kCaptionBuffer = 255;

}  // namespace

std::string LanguageFilePath() {
  return platform::forms::App.Path() + "\\languages\\" + CurrentLanguage + ".ini";
}

std::string ControlIndexSuffix(const platform::forms::Control& control) {
  auto index = control.IndexIfArray();
  return index ? "(" + std::to_string(*index) + ")" : std::string();
}

void ApplyLanguage(platform::forms::Form& form) {
  std::string file = LanguageFilePath();
  for (platform::forms::Control* control : form.Controls()) {
    platform::forms::OnErrorResumeNext guard;
    guard([&] {
      // Each read parses the whole file: only the kinds that take a caption ask.
      if (!TakesCaption(*control)) return;
      std::string key = control->Name() + ControlIndexSuffix(*control);
      char buffer[kCaptionBuffer];
      std::memset(buffer, ' ', sizeof buffer);
      GetPrivateProfileStringA(form.Name().c_str(), key.c_str(), kMissing, buffer, kCaptionBuffer, file.c_str());
      std::string caption = TrimNullChars(std::string_view(buffer, sizeof buffer));
      if (caption == kMissing) return;
      control->Let("Caption", caption);
    });
  }
}
