#include "app/resident.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <optional>

#include "mainwindow/Form1.h"
#include "platform/forms/forms.h"
#include "platform/machine/machine.h"

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

enum class Wake { Signal, IdleWrite, Failed };

// Waits for a termination signal, or for the machine's next idle write
// when changes are pending.
Wake WaitForTerminationSignal() {
  sigset_t set = TerminationSignals();
  platform::Machine* machine = platform::CurrentMachine();
  auto write = machine ? machine->NextIdleWrite() : std::nullopt;
  if (!write) {
    int signal = 0;
    return sigwait(&set, &signal) == 0 ? Wake::Signal : Wake::Failed;
  }
  std::uint64_t now = machine->clock().TickMs();
  std::uint64_t ms = *write > now ? *write - now : 0;
  timespec wait{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000};
  while (true) {
    if (sigtimedwait(&set, nullptr, &wait) >= 0) return Wake::Signal;
    if (errno == EAGAIN) return Wake::IdleWrite;
    if (errno != EINTR) return Wake::Failed;
  }
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
    Wake wake = WaitForTerminationSignal();
    if (wake == Wake::Failed) return;
    if (wake == Wake::IdleWrite) {
      platform::forms::RunIdleWork();
      continue;
    }
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
