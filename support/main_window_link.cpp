#include "support/main_window_link.h"

#include "platform/base/runtime_error.h"

namespace {

std::function<MainWindowServices&()>& Registered() {
  static auto* mainWindow = new std::function<MainWindowServices&()>;
  return *mainWindow;
}

}  // namespace

void SetMainWindow(std::function<MainWindowServices&()> mainWindow) { Registered() = std::move(mainWindow); }

MainWindowServices& MainWindow() {
  if (!Registered()) platform::RaiseRuntimeError(91);
  return Registered()();
}
