#include "platform/activex/splash.h"

#include "platform/base/journal.h"

namespace platform::activex {

void Splash::Show() {
  shown_ = true;
  TheJournal().Record("Splash.Show", {path_});
}

}  // namespace platform::activex
