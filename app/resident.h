#pragma once
// A headless program has no window to close: it stays in its tray until the
// user ends it with a termination signal, which closes the main window as
// its close command would.
namespace tessaly {

// Holds SIGINT, SIGTERM and SIGHUP for the waiting below; call before any
// thread starts.
void HoldTerminationSignals();
// Runs the headless message loop; whenever nothing more can happen while
// forms are still loaded, waits for a termination signal (writing the
// machine's pending changes when their idle write comes first), posts
// WM_CLOSE to the main window and goes on.
void RunResidentLoop();

// With the renderer: a termination signal closes the main window the same
// way, at the next turn of Qt's event loop. Call once the Qt application
// exists.
void CloseOnTerminationSignals();

}  // namespace tessaly
