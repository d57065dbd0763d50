#include "gui/views/views.h"

namespace tessaly::gui {

std::unique_ptr<ControlView> MakeControlView(Control& control, QWidget* parent) {
  using Factory = std::unique_ptr<ControlView> (*)(Control&, QWidget*);
  static constexpr Factory kFamilies[] = {
      MakeButtonView, MakeTextView, MakeContainerView, MakeListView, MakeItemTreeView, MakeRangeView, MakeStandInView,
      MakeFallbackView,
  };
  for (Factory make : kFamilies)
    if (auto view = make(control, parent)) return view;
  return nullptr;
}

}  // namespace tessaly::gui
