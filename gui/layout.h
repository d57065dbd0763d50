#pragma once
// Where each control goes, in pixels inside its container. Controls the
// form placed keep the form's geometry (twips, 15 per pixel). A control
// still at the origin with the default size has no geometry of its own:
// those are stacked in design order below the placed ones, at their natural
// size, so a form without geometry is still readable.
#include <QRect>
#include <QSize>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace platform::forms {
class Control;
}

namespace tessaly::gui {

bool HasOwnGeometry(const platform::forms::Control& control);

struct LayoutInput {
  // The controls that are drawn, in design order (containers first).
  std::vector<platform::forms::Control*> controls;
  // The natural size of a control's widget.
  std::function<QSize(const platform::forms::Control&)> naturalSize;
};

struct LayoutResult {
  std::map<std::uint64_t, QRect> places;  // by control serial, inside the container
  QSize extent;                           // what the form's top-level controls cover
};

LayoutResult LayOut(const LayoutInput& input);

}  // namespace tessaly::gui
