#include "app/resident.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
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

// The write end of the pipe a signal handler may touch.
int g_signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
  char byte = 1;
  [[maybe_unused]] auto written = write(g_signalPipe[1], &byte, 1);
}

void CloseMainWindow() {
  if (platform::forms::IsLoaded<Form1Form>()) PostMessageA(Form1().hWnd(), WM_CLOSE, 0, 0);
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
    CloseMainWindow();
    platform::forms::RunMessageLoop();
  }
}

void CloseOnTerminationSignals() {
  if (g_signalPipe[0] >= 0 || pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, [] {
    char bytes[16];
    while (read(g_signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    CloseMainWindow();
  });
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

}  // namespace tessaly
