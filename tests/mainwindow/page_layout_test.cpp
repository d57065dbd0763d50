// Every page's controls live inside their page and are placed within it, so
// only the shown page's controls are visible and the window keeps its size.
#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "mainwindow/clean_sections.h"
#include "platform/forms/forms.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

class PageLayoutTest : public MainWindowTest {
 protected:
  Form1Form& form_ = Form1();
};

TEST_F(PageLayoutTest, EachSectionsBoxesLieOnTheSectionsOwnPage) {
  for (const auto& section : kCleanSections) {
    if (!section.boxes) continue;
    for (Control* box : (form_.*section.boxes).Members()) {
      SCOPED_TRACE(box->Name() + "(" + std::to_string(box->Index()) + ")");
      ASSERT_NE(box->Container(), nullptr);
      EXPECT_EQ(box->Container()->Name(), section.frame);
    }
  }
}

// The window itself holds only the pages, the bars, their backgrounds and
// a few controls of its own; everything inside a frame fits the frame and
// overlaps no sibling.
TEST_F(PageLayoutTest, EveryControlInsideAFrameIsPlacedWithinItWithoutOverlap) {
  struct Placed {
    const Control* control;
    float left, top, right, bottom;
  };
  std::map<const Control*, std::vector<Placed>> byFrame;
  for (Control* control : form_.Controls()) {
    const Control* frame = control->Container();
    if (!frame || !frame->IsKind(ControlKind::Frame) || !control->Visible()) continue;
    SCOPED_TRACE(control->Name());
    Placed placed{control, control->Left(), control->Top(), control->Left() + control->Width(),
                  control->Top() + control->Height()};
    EXPECT_GT(placed.left, 0);
    EXPECT_GT(placed.top, 0);
    EXPECT_LE(placed.right, frame->Width());
    EXPECT_LE(placed.bottom, frame->Height());
    for (const Placed& other : byFrame[frame])
      EXPECT_TRUE(placed.right <= other.left || other.right <= placed.left || placed.bottom <= other.top ||
                  other.bottom <= placed.top)
          << "overlaps " << other.control->Name();
    byFrame[frame].push_back(placed);
  }
  EXPECT_GE(byFrame.size(), 20u);
}

// A frame's caption is drawn in its top edge: nothing inside a captioned
// frame starts above the first row under it (the Back buttons once hid
// "StartUp Manager" and "DLL Cleaner").
TEST_F(PageLayoutTest, NoControlCoversItsFramesCaption) {
  constexpr float kCaptionStrip = 285;  // twips: the caption's line height and the frame's edge
  int captioned = 0;
  for (Control* control : form_.Controls()) {
    const Control* frame = control->Container();
    if (!frame || !frame->IsKind(ControlKind::Frame) || !control->Visible()) continue;
    if (static_cast<const Frame*>(frame)->Caption().empty()) continue;
    SCOPED_TRACE(control->Name() + " in " + frame->Name());
    ++captioned;
    EXPECT_GE(control->Top(), kCaptionStrip);
  }
  EXPECT_GE(captioned, 20);
}

TEST_F(PageLayoutTest, OnlyTheShownPagesControlsAreEffectivelyVisible) {
  auto shown = [](const Control& control) {
    for (const Control* at = &control; at; at = at->Container())
      if (!at->Visible()) return false;
    return true;
  };
  form_.ShowThatFrame(form_.Frame_IE);
  EXPECT_TRUE(shown(form_.chkIE(0)));
  EXPECT_TRUE(shown(form_.cmdTypedURLsHide));
  EXPECT_FALSE(shown(form_.chkWindows(0)));
  EXPECT_FALSE(shown(form_.chkLoadStartUp));
  EXPECT_FALSE(shown(form_.txtResult));
  form_.chkIE(0).UserClick();
  EXPECT_EQ(form_.chkIE(0).Value(), vbChecked);
  form_.chkWindows(0).UserClick();  // on a hidden page: no input reaches it
  EXPECT_EQ(form_.chkWindows(0).Value(), vbUnchecked);
}

}  // namespace
}  // namespace tessaly::testing
