#include "cleaning/cookie_dialog_messages.h"

#include "platform/forms/forms.h"
#include "support/skins.h"

namespace cleaning {
namespace {

void Say(const std::string& text) {
  ShowMessage(text, platform::forms::vbOKOnly + platform::forms::vbExclamation, platform::forms::App.Title(), false);
}

}  // namespace

void SayKeepListBusy() {
  Say("Cookies are being cleaned now, so your selection cannot be saved yet. It is kept: press OK again when the "
      "cleaning has finished.");
}

void SayKeepListIncomplete() {
  Say("The cookies on display could not be read completely, so your selection cannot be saved. Press Refresh to "
      "read them again.");
}

void SayKeepListNotSaved(const std::string& reason) {
  Say("The list of kept cookies could not be saved (" + reason + "). Your selection is kept: press OK to try again.");
}

}  // namespace cleaning
