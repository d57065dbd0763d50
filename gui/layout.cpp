#include "gui/layout.h"

#include <algorithm>

#include "gui/conversions.h"
#include "platform/forms/control.h"

namespace tessaly::gui {
namespace {

using platform::forms::Control;
using platform::forms::ControlKind;

constexpr int kMargin = 8;
constexpr int kSpacing = 6;
constexpr int kFrameTitle = 22;  // room for a frame's caption above its children
constexpr float kDefaultWidth = 1215, kDefaultHeight = 375;

bool IsContainer(const Control& control) {
  return control.IsKind(ControlKind::Frame) || control.IsKind(ControlKind::PictureBox);
}

class Layouter {
 public:
  explicit Layouter(const LayoutInput& input) : input_(input) {}

  LayoutResult Run() {
    for (Control* control : input_.controls)
      if (IsContainer(*control)) containers_.push_back(control);
    result_.extent = PlaceChildren(nullptr);
    return std::move(result_);
  }

 private:
  // Places the children of `container`; returns the extent they cover.
  QSize PlaceChildren(const Control* container) {
    std::vector<Control*> children;
    for (Control* control : input_.controls)
      if (DrawnContainer(*control) == container) children.push_back(control);
    int top = container ? kFrameTitle : kMargin;
    QSize extent(0, 0);
    std::vector<Control*> automatic;
    for (Control* child : children) {
      QSize inner = IsContainer(*child) ? PlaceChildren(child) : QSize();
      if (!HasOwnGeometry(*child)) {
        automatic.push_back(child);
        inner_[child->serial()] = inner;
        continue;
      }
      QRect place(TwipsToPixels(child->Left()), TwipsToPixels(child->Top()), TwipsToPixels(child->Width()),
                  TwipsToPixels(child->Height()));
      result_.places[child->serial()] = place;
      if (child->Visible()) extent = extent.expandedTo(QSize(place.right() + 1, place.bottom() + 1));
    }
    int y = std::max(top, extent.height() > 0 ? extent.height() + kSpacing : top);
    for (Control* child : automatic) {
      QSize size = input_.naturalSize(*child);
      QSize inner = inner_[child->serial()];
      if (IsContainer(*child)) size = size.expandedTo(inner + QSize(kMargin, kMargin));
      QRect place(kMargin, y, std::max(size.width(), 60), std::max(size.height(), 20));
      result_.places[child->serial()] = place;
      if (!child->Visible()) continue;
      y = place.bottom() + 1 + kSpacing;
      extent = extent.expandedTo(QSize(place.right() + 1, place.bottom() + 1));
    }
    return extent;
  }

  // The container a control is drawn in: null (the form) unless its
  // container is a drawn frame or picture box.
  const Control* DrawnContainer(const Control& control) const {
    const Control* container = control.Container();
    return std::find(containers_.begin(), containers_.end(), container) != containers_.end() ? container : nullptr;
  }

  const LayoutInput& input_;
  std::vector<const Control*> containers_;
  LayoutResult result_;
  std::map<std::uint64_t, QSize> inner_;
};

}  // namespace

bool HasOwnGeometry(const Control& control) {
  return control.Left() != 0 || control.Top() != 0 || control.Width() != kDefaultWidth ||
         control.Height() != kDefaultHeight;
}

LayoutResult LayOut(const LayoutInput& input) { return Layouter(input).Run(); }

}  // namespace tessaly::gui
