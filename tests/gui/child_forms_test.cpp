// Forms whose windows the program moves into another form's control
// (SetParent): drawn inside that control at their own Left and Top, never as
// windows of their own while so parented, and following later moves, hiding
// and unloading.
#include <QTest>
#include <QWindow>

#include "gui_fixture.h"
#include "platform/forms/user32.h"

namespace tessaly::testing {
namespace {

class Host : public Form {
 public:
  Host() : Form("frmHost") {
    Caption("Host");
    Move(0, 0, 9600, 6000);
    cmdOpen.Caption("Open");
    cmdOpen.Move(120, 120, 1500, 375);
    fraLeft.Move(1800, 120, 3600, 4800);
    fraRight.Move(5580, 120, 3600, 4800);
  }

  TSY_CONTROL(CommandButton, cmdOpen);
  TSY_CONTROL(Frame, fraLeft);
  TSY_CONTROL(Frame, fraRight);
};

class Page : public Form {
 public:
  explicit Page(const std::string& name) : Form(name) {
    Caption(name);
    Move(150, 300, 3300, 4200);  // 10, 20 pixels into whatever holds it
    cmdAct.Caption("Act");
    cmdAct.Move(120, 120, 1500, 375);
    cmdAct.Click.Handle([this] { ++clicks; });
  }

  TSY_CONTROL(CommandButton, cmdAct);
  int clicks = 0;
};

class ChildFormTest : public GuiTest {
 protected:
  ChildFormTest() {
    host_.Load();
    host_.Show();
    left_.Load();
    right_.Load();
  }
  ~ChildFormTest() override {
    for (Form* form : {static_cast<Form*>(&left_), static_cast<Form*>(&right_), static_cast<Form*>(&host_)})
      if (form->loaded()) Unload(*form);
  }

  // What the suite window does to show a page: move it into the frame, show it.
  void ShowIn(Page& page, Control& frame) {
    SetParent(page.hWnd(), frame.hWnd());
    page.Show();
    Turn();
  }

  // A left click on the host's top-level window where `control` is drawn.
  void ClickThroughHost(const Control& control) {
    QWidget* window = renderer_.WindowOf(host_);
    QWidget* widget = Widget(control);
    ASSERT_NE(widget, nullptr);
    ASSERT_TRUE(window->isAncestorOf(widget)) << "drawn outside the host window";
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, widget->rect().center()));
    Turn();
  }

  // Whether the page's window is drawn inside `frame`'s widget, showing.
  void ExpectDrawnInside(Page& page, Control& frame) {
    QWidget* window = renderer_.WindowOf(page);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isWindow());
    EXPECT_EQ(window->parentWidget(), Widget(frame));
    EXPECT_EQ(window->pos(), QPoint(10, 20));
    EXPECT_TRUE(window->isVisible());
  }

  Host host_;
  Page left_{"frmLeft"}, right_{"frmRight"};
};

TEST_F(ChildFormTest, APageMovedIntoAFrameIsDrawnInsideItAndTakesClicksThroughTheHostWindow) {
  ShowIn(left_, host_.fraLeft);
  ExpectDrawnInside(left_, host_.fraLeft);
  EXPECT_EQ(ShownWindows(), QStringList({"Host"}));
  ExpectDrawnAsModel(renderer_, left_);
  Screenshot(host_, "child_form_in_frame");

  ClickThroughHost(left_.cmdAct);
  EXPECT_EQ(left_.clicks, 1);
}

TEST_F(ChildFormTest, APageFollowsLaterMovesHidingAndItsReturnToTheDesktop) {
  left_.Show();
  Turn();
  EXPECT_TRUE(renderer_.WindowOf(left_)->isWindow());
  EXPECT_EQ(ShownWindows(), QStringList({"Host", "frmLeft"}));

  ShowIn(left_, host_.fraLeft);
  ExpectDrawnInside(left_, host_.fraLeft);
  EXPECT_EQ(ShownWindows(), QStringList({"Host"}));

  left_.Hide();
  Turn();
  EXPECT_FALSE(renderer_.WindowOf(left_)->isVisible());
  EXPECT_FALSE(renderer_.WindowOf(left_)->isWindow());
  // Moved while hidden: it stays hidden in its new place until shown.
  SetParent(left_.hWnd(), host_.fraRight.hWnd());
  Turn();
  EXPECT_EQ(renderer_.WindowOf(left_)->parentWidget(), Widget(host_.fraRight));
  EXPECT_FALSE(renderer_.WindowOf(left_)->isVisible());
  EXPECT_EQ(ShownWindows(), QStringList({"Host"}));
  left_.Show();
  Turn();
  ExpectDrawnInside(left_, host_.fraRight);

  // Its place follows the form, counted from the frame's corner.
  left_.Move(300, 450);
  Turn();
  EXPECT_EQ(renderer_.WindowOf(left_)->pos(), QPoint(20, 30));
  EXPECT_EQ(left_.Left(), 300);

  SetParent(left_.hWnd(), 0);
  Turn();
  EXPECT_TRUE(renderer_.WindowOf(left_)->isWindow());
  EXPECT_EQ(ShownWindows(), QStringList({"Host", "frmLeft"}));
  ExpectDrawnAsModel(renderer_, left_);
}

TEST_F(ChildFormTest, ThePageShownLastInAFrameLiesOnTopAndGetsTheClick) {
  ShowIn(left_, host_.fraLeft);
  ShowIn(right_, host_.fraLeft);
  // Showing a page does not hide the one before: both are drawn, the newest over it.
  EXPECT_TRUE(renderer_.WindowOf(left_)->isVisible());
  ClickThroughHost(right_.cmdAct);
  EXPECT_EQ(right_.clicks, 1);
  EXPECT_EQ(left_.clicks, 0);

  ShowIn(left_, host_.fraLeft);
  ClickThroughHost(left_.cmdAct);
  EXPECT_EQ(left_.clicks, 1);
  EXPECT_EQ(right_.clicks, 1);
}

TEST_F(ChildFormTest, UnloadingAPageOrItsHostLeavesNothingStray) {
  ShowIn(left_, host_.fraLeft);
  ShowIn(right_, host_.fraRight);
  Unload(left_);
  Turn();
  EXPECT_EQ(renderer_.WindowOf(left_), nullptr);
  EXPECT_TRUE(Widget(host_.fraLeft)->isVisible());
  ExpectDrawnInside(right_, host_.fraRight);

  // The host goes first: the page's window is back on the desktop, and is
  // drawn there as the form it still is.
  Unload(host_);
  Turn();
  EXPECT_EQ(GetParent(right_.hWnd()), 0u);
  ASSERT_NE(renderer_.WindowOf(right_), nullptr);
  EXPECT_TRUE(renderer_.WindowOf(right_)->isWindow());
  EXPECT_EQ(ShownWindows(), QStringList({"frmRight"}));
  ExpectDrawnAsModel(renderer_, right_);
}

TEST_F(ChildFormTest, APageWhoseParentCannotShowItIsNotDrawnAsAWindowOfItsOwn) {
  struct Case {
    const char* name;
    std::function<void()> parent;
  };
  const Case cases[] = {
      {"a hidden frame",
       [this] {
         host_.fraLeft.Visible(false);
         SetParent(left_.hWnd(), host_.fraLeft.hWnd());
       }},
      {"one of its own controls", [this] { SetParent(left_.hWnd(), left_.cmdAct.hWnd()); }},
      {"a form inside it",
       [this] {
         SetParent(right_.hWnd(), left_.hWnd());
         SetParent(left_.hWnd(), right_.cmdAct.hWnd());
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host_.fraLeft.Visible(true);
    SetParent(left_.hWnd(), 0);
    SetParent(right_.hWnd(), 0);
    left_.Show();
    right_.Show();
    Turn();
    c.parent();
    Turn();
    EXPECT_FALSE(renderer_.WindowOf(left_)->isVisible());
    EXPECT_FALSE(ShownWindows().contains("frmLeft"));
    EXPECT_TRUE(renderer_.WindowOf(host_)->isVisible());
  }
}

}  // namespace
}  // namespace tessaly::testing
