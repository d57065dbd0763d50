#include "tuning/suite_page.h"

#include "support/language_packs.h"
#include "support/main_window_link.h"
#include "support/skins.h"

namespace tuning {

namespace {

std::function<std::string()>& SkinNameSource() {
  static auto* source = new std::function<std::string()>;
  return *source;
}

}  // namespace

void ApplySuitePageLook(platform::forms::Form& page, PageCaptions captions) {
  if (captions == PageCaptions::FromLanguage) ApplyLanguage(page);
  MainWindow().SkinControl().ApplySkinObject(page.hWnd(), "Form");
  ApplySkinToControls(page);
}

void SetSkinNameSource(std::function<std::string()> source) { SkinNameSource() = std::move(source); }

std::string CurrentSkinName() { return SkinNameSource() ? SkinNameSource()() : ""; }

}  // namespace tuning
