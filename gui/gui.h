#pragma once
// How the program runs its forms: drawn by the renderer when a display is
// there, headless otherwise.
#include <functional>

namespace tessaly::gui {

// Creates the Qt application (if none exists) and the renderer, runs
// `start` (which loads and shows the first form) and then the message loop
// on Qt's event loop until the last form unloads. A process end escaping
// `start` or a handler is rethrown after the windows are gone, exactly as
// the headless main loop lets it through.
void RunWithRenderer(const std::function<void()>& start);

// RunWithRenderer when RendererWanted(), else `start` and the runtime's
// headless main loop.
void RunForms(const std::function<void()>& start);

}  // namespace tessaly::gui
