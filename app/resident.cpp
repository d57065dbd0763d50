#include "app/resident.h"

#include <csignal>

#include "mainwindow/Form1.h"
#include "platform/forms/forms.h"

namespace tessaly {

namespace {
sigset_t TerminationSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  return set;
}
}  // namespace

void HoldTerminationSignals() {
  sigset_t set = TerminationSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void RunResidentLoop() {
  platform::forms::RunMessageLoop();
  while (platform::forms::IsLoaded<Form1Form>()) {
    sigset_t set = TerminationSignals();
    int signal = 0;
    if (sigwait(&set, &signal) != 0) return;
    PostMessageA(Form1().hWnd(), WM_CLOSE, 0, 0);
    platform::forms::RunMessageLoop();
  }
}

}  // namespace tessaly
