#pragma once
// The families of views; each factory returns null for kinds it does not draw.
#include <memory>

#include "gui/control_view.h"

namespace tessaly::gui {

std::unique_ptr<ControlView> MakeButtonView(Control& control, QWidget* parent);
std::unique_ptr<ControlView> MakeTextView(Control& control, QWidget* parent);
std::unique_ptr<ControlView> MakeContainerView(Control& control, QWidget* parent);
std::unique_ptr<ControlView> MakeListView(Control& control, QWidget* parent);
std::unique_ptr<ControlView> MakeItemTreeView(Control& control, QWidget* parent);
std::unique_ptr<ControlView> MakeRangeView(Control& control, QWidget* parent);
// The progress bar, the graph, the skin label and the navigation movie.
std::unique_ptr<ControlView> MakeStandInView(Control& control, QWidget* parent);
// Any other windowed kind: a framed box showing the control's text, so that
// a kind without its own view still shows where it is and what it says.
std::unique_ptr<ControlView> MakeFallbackView(Control& control, QWidget* parent);

}  // namespace tessaly::gui
