// The user's mouse and window changes through Qt: mouse messages for the
// forms and controls that handle them, the form's geometry following the
// real window, and the program dragging its window by the body.
#include <QAbstractScrollArea>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include "gui_fixture.h"
#include "platform/base/journal.h"

namespace tessaly::testing {
namespace {

// A borderless-style window as the cookie lists are: a move with the left
// button held on the body drags the window.
class Pad : public Form {
 public:
  Pad() : Form("frmPad") {
    Move(1500, 1200, 7200, 5400);
    lvwItems.Move(150, 150, 4500, 2250);
    lvwItems.AddColumn({}, "", "Name");
    lvwItems.Add({}, "", "index.dat");
    lblNote.Move(150, 2550, 3000, 300);
    lblNote.Caption("Note");
    cmdGo.Move(150, 3000, 1500, 450);
    cmdGo.Caption("Go");
  }

  TSY_CONTROL(ListView, lvwItems);
  TSY_CONTROL(Label, lblNote);
  TSY_CONTROL(CommandButton, cmdGo);

  int resizes = 0;
  std::vector<std::string> log;
  bool dragOnMove = false;

  void LogMouse(const std::string& who, int button, int shift, float x, float y) {
    log.push_back(who + ' ' + std::to_string(button) + ' ' + std::to_string(shift) + ' ' +
                  std::to_string(static_cast<int>(x)) + ' ' + std::to_string(static_cast<int>(y)));
  }

 protected:
  void Form_Resize() override { ++resizes; }
};

class WindowInputTest : public GuiTest {
 protected:
  WindowInputTest() {
    form_.Load();
    form_.Show();
    renderer_.Sync();
    window_ = static_cast<QMainWindow*>(renderer_.WindowOf(form_));
    canvas_ = window_->centralWidget();
  }

  // Lets Qt deliver what the window system reported.
  static void Settle() { QCoreApplication::processEvents(); }

  // A move of the mouse, left button held, to `global` (screen pixels).
  void DragTo(QPoint global) {
    QTest::mouseMove(canvas_, canvas_->mapFromGlobal(global));
    Settle();
  }

  Pad form_;
  QMainWindow* window_ = nullptr;
  QWidget* canvas_ = nullptr;
};

TEST_F(WindowInputTest, TheUsersResizeAndMoveReachTheFormAtTheNextTurn) {
  ASSERT_EQ(window_->pos(), QPoint(100, 80));
  ASSERT_EQ(window_->size(), QSize(480, 360));
  window_->resize(640, 420);
  window_->move(200, 150);
  Settle();
  EXPECT_EQ(form_.Width(), 7200) << "the model changes only at a turn";
  EXPECT_EQ(form_.resizes, 0);
  renderer_.Sync();
  EXPECT_EQ(window_->size(), QSize(640, 420)) << "a sync before the turn keeps the user's size";
  Turn();
  EXPECT_EQ(form_.Width(), 640 * 15);
  EXPECT_EQ(form_.Height(), 420 * 15);
  EXPECT_EQ(form_.Left(), 200 * 15);
  EXPECT_EQ(form_.Top(), 150 * 15);
  EXPECT_EQ(form_.resizes, 1) << "several changes before a turn: one update";
  EXPECT_EQ(window_->geometry().size(), QSize(640, 420));
  EXPECT_EQ(window_->pos(), QPoint(200, 150));

  // A move alone raises no Resize; the renderer's own placement is no news.
  window_->move(250, 160);
  Settle();
  Turn();
  EXPECT_EQ(form_.Left(), 250 * 15);
  EXPECT_EQ(form_.resizes, 1);
  form_.Move(1500, 1500, 6000, 4500);
  EXPECT_EQ(form_.resizes, 2);
  renderer_.Sync();
  Settle();
  Turn();
  EXPECT_EQ(window_->pos(), QPoint(100, 100));
  EXPECT_EQ(window_->size(), QSize(400, 300));
  EXPECT_EQ(form_.Width(), 6000);
  EXPECT_EQ(form_.resizes, 2);
  EXPECT_EQ(QueuedEventCount(), 0u);
}

TEST_F(WindowInputTest, MouseMessagesReachTheHandlersOfControlsAndForms) {
  form_.lvwItems.MouseDown.Handle([this](int b, int s, float x, float y) { form_.LogMouse("lvwDown", b, s, x, y); });
  form_.lvwItems.MouseUp.Handle([this](int b, int s, float x, float y) { form_.LogMouse("lvwUp", b, s, x, y); });
  form_.lblNote.MouseDown.Handle([this](int b, int s, float x, float y) { form_.LogMouse("lblDown", b, s, x, y); });
  form_.MouseDown.Handle([this](int b, int s, float x, float y) { form_.LogMouse("FormDown", b, s, x, y); });
  form_.MouseMove.Handle([this](int b, int s, float x, float y) { form_.LogMouse("FormMove", b, s, x, y); });
  renderer_.Sync();

  // A right press on the list view's rows, Shift held; X and Y in twips
  // inside the control.
  auto* list = static_cast<QAbstractScrollArea*>(renderer_.WidgetOf(form_.lvwItems));
  QPoint inViewport(20, 12);
  QPoint inList = list->viewport()->mapTo(list, inViewport);
  QTest::mousePress(list->viewport(), Qt::RightButton, Qt::ShiftModifier, inViewport);
  QTest::mouseRelease(list->viewport(), Qt::RightButton, Qt::ShiftModifier, inViewport);
  EXPECT_TRUE(form_.log.empty()) << "handlers run at the turn";
  Turn();
  std::string at = ' ' + std::to_string(inList.x() * 15) + ' ' + std::to_string(inList.y() * 15);
  EXPECT_EQ(form_.log, (std::vector<std::string>{"lvwDown 2 1" + at, "lvwUp 2 1" + at}));

  // A windowless label's events; the form's own for its body; a left press
  // on a button that handles none queues nothing for it.
  form_.log.clear();
  QTest::mousePress(renderer_.WidgetOf(form_.lblNote), Qt::LeftButton, {}, QPoint(3, 4));
  QTest::mousePress(canvas_, Qt::RightButton, Qt::ControlModifier, QPoint(300, 40));
  QTest::mouseRelease(canvas_, Qt::RightButton, Qt::ControlModifier, QPoint(300, 40));
  Turn();
  EXPECT_EQ(form_.log, (std::vector<std::string>{"lblDown 1 0 45 60", "FormDown 2 2 4500 600"}));
  std::size_t before = QueuedEventCount();
  QTest::mousePress(renderer_.WidgetOf(form_.cmdGo), Qt::LeftButton);
  EXPECT_EQ(QueuedEventCount(), before);
  QTest::mouseRelease(renderer_.WidgetOf(form_.cmdGo), Qt::LeftButton);

  // Moves waiting for the same turn arrive as one, at the last position,
  // with the held button.
  Turn();
  form_.log.clear();
  EXPECT_TRUE(canvas_->hasMouseTracking()) << "the form handles MouseMove";
  EXPECT_FALSE(renderer_.WidgetOf(form_.lvwItems)->hasMouseTracking());
  QTest::mousePress(canvas_, Qt::LeftButton, {}, QPoint(300, 200));
  for (int x : {301, 305, 310}) QTest::mouseMove(canvas_, QPoint(x, 205));
  QTest::mouseRelease(canvas_, Qt::LeftButton, {}, QPoint(310, 205));
  QTest::mouseMove(canvas_, QPoint(320, 210));  // no button held: the form tracks moves
  Turn();
  EXPECT_EQ(form_.log, (std::vector<std::string>{"FormDown 1 0 4500 3000", "FormMove 1 0 4650 3075",
                                                 "FormMove 0 0 4800 3150"}));
}

TEST_F(WindowInputTest, ACaptionDragSentToTheFormMovesItsWindowWithTheCursor) {
  // The cookie lists' way: a move with the left button held drags.
  form_.MouseMove.Handle([this](int button, int, float, float) {
    if (button == 1) {
      ReleaseCapture();
      SendMessageA(form_.hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
  });
  renderer_.Sync();
  QPoint start = window_->pos();
  QTest::mousePress(canvas_, Qt::LeftButton, {}, QPoint(200, 100));
  QPoint grip = canvas_->mapToGlobal(QPoint(205, 100));
  DragTo(grip);
  EXPECT_EQ(window_->pos(), start) << "the drag starts when the program asks";
  Turn();
  EXPECT_EQ(platform::TheJournal().entries().back().call, "Drag");

  DragTo(grip);  // where the window is held
  DragTo(grip + QPoint(40, 25));
  EXPECT_EQ(window_->pos(), start + QPoint(40, 25));
  DragTo(grip + QPoint(-10, 60));
  EXPECT_EQ(window_->pos(), start + QPoint(-10, 60));
  QTest::mouseRelease(canvas_, Qt::LeftButton, {}, canvas_->mapFromGlobal(grip + QPoint(-10, 60)));
  DragTo(grip + QPoint(90, 90));
  EXPECT_EQ(window_->pos(), start + QPoint(-10, 60)) << "released: the window stays";
  Turn();
  EXPECT_EQ(form_.Left(), (start.x() - 10) * 15) << "the model follows the dragged window";
  EXPECT_EQ(form_.Top(), (start.y() + 60) * 15);
  EXPECT_EQ(form_.resizes, 0);
}

TEST_F(WindowInputTest, ACaptionDragOfAControlsWindowMovesNothing) {
  QPoint start = window_->pos();
  QTest::mousePress(canvas_, Qt::LeftButton, {}, QPoint(200, 100));
  SendMessageA(form_.lvwItems.hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  DragTo(canvas_->mapToGlobal(QPoint(200, 100)));
  DragTo(canvas_->mapToGlobal(QPoint(260, 130)));
  EXPECT_EQ(window_->pos(), start);
  QTest::mouseRelease(canvas_, Qt::LeftButton, {}, QPoint(260, 130));
}

}  // namespace
}  // namespace tessaly::testing
