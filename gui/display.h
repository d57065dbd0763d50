#pragma once
// Whether the program draws real windows: not with TESSALY_HEADLESS=1, and
// not without a display (no DISPLAY or WAYLAND_DISPLAY), unless Qt is told
// to draw offscreen (screenshots).
namespace tessaly::gui {

bool RendererWanted();

}  // namespace tessaly::gui
