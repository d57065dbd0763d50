#include "gui/gui.h"

#include <QApplication>
#include <memory>

#include "gui/display.h"
#include "gui/renderer.h"
#include "platform/forms/event_loop.h"

namespace tessaly::gui {

void RunWithRenderer(const std::function<void()>& start) {
  static int argc = 1;
  static char name[] = "tsyT";
  static char* argv[] = {name, nullptr};
  std::unique_ptr<QApplication> own;
  if (!QCoreApplication::instance()) own = std::make_unique<QApplication>(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);  // forms end the program, not windows
  Renderer renderer;
  start();
  renderer.Run();
}

void RunForms(const std::function<void()>& start) {
  if (RendererWanted()) return RunWithRenderer(start);
  start();
  platform::forms::RunMessageLoop();
}

}  // namespace tessaly::gui
