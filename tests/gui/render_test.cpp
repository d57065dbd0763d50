// Drawing: every visible control of the model has a visible widget showing
// the model's text; the widgets follow the model; forms without geometry
// are laid out readably.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeWidget>

#include "gui_fixture.h"

namespace tessaly::testing {
namespace {

TEST_F(GuiTest, EveryVisibleControlIsDrawnWithTheModelsText) {
  Gallery form;
  form.Load();
  form.Show();
  renderer_.Sync();
  ASSERT_NE(renderer_.WindowOf(form), nullptr);
  EXPECT_TRUE(renderer_.WindowOf(form)->isVisible());
  EXPECT_EQ(renderer_.WindowOf(form)->windowTitle(), "Tessaly gallery");
  ExpectDrawnAsModel(renderer_, form);
  Screenshot(form, "gallery");

  // Kind-specific state as drawn.
  EXPECT_EQ(static_cast<QCheckBox*>(Widget(form.chkBleach))->checkState(), Qt::PartiallyChecked);
  EXPECT_EQ(static_cast<QCheckBox*>(Widget(form.chkIE(1)))->checkState(), Qt::Checked);
  auto* checks = static_cast<QListWidget*>(Widget(form.lstChecks));
  EXPECT_EQ(checks->item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(checks->item(1)->checkState(), Qt::Unchecked);
  auto* files = static_cast<QTreeWidget*>(Widget(form.lvwFiles));
  EXPECT_EQ(files->topLevelItem(0)->text(1), "16 KB");
  EXPECT_EQ(files->topLevelItem(1)->checkState(0), Qt::Checked);
  EXPECT_EQ(static_cast<QTreeWidget*>(Widget(form.tvwKeys))->topLevelItem(0)->child(0)->text(0), "Software");
}

TEST_F(GuiTest, GeometryComesFromTheModelInPixelsInsideContainers) {
  Gallery form;
  form.Load();
  form.Show();
  renderer_.Sync();
  EXPECT_EQ(Widget(form.cmdGo)->geometry(), QRect(8, 32, 120, 28));
  QWidget* frame = Widget(form.fraMode);
  EXPECT_EQ(Widget(form.optDeep)->parentWidget(), frame);
  EXPECT_EQ(Widget(form.optDeep)->geometry(), QRect(144, 20, 120, 20));
  EXPECT_EQ(Widget(form.chkIE(2))->geometry(), QRect(8, 104, 240, 20));
  EXPECT_EQ(static_cast<QTreeWidget*>(Widget(form.lvwFiles))->columnWidth(0), 120);
}

TEST_F(GuiTest, MenusFormTheMenuBarWithoutHiddenPopupMenus) {
  Gallery form;
  form.Load();
  form.Show();
  renderer_.Sync();
  auto* window = static_cast<QMainWindow*>(renderer_.WindowOf(form));
  QList<QAction*> bar = window->menuBar()->actions();
  ASSERT_EQ(bar.size(), 1);
  EXPECT_EQ(bar[0]->text(), "&File");
  QStringList items;
  for (QAction* action : bar[0]->menu()->actions()) items << (action->isSeparator() ? "-" : action->text());
  EXPECT_EQ(items, QStringList({"&Open", "-", "E&xit"}));
}

TEST_F(GuiTest, WidgetsFollowModelChanges) {
  Gallery form;
  form.Load();
  form.Show();
  renderer_.Sync();
  form.cmdGo.Caption("&Stop");
  form.lblTitle.Caption("Done");
  form.txtName.Text("D:\\");
  form.cmdHidden.Visible(true);
  form.chkBleach.Enabled(false);
  form.fraMode.Enabled(false);
  form.lstPlain.AddItem("gamma");
  form.lstChecks.Selected(2, true);
  form.cmbMode.ListIndex(0);
  form.lvwFiles.Item(1).Text = "history.dat";
  form.lvwFiles.Add({}, "c", "new.log");
  form.sldLevel.Value(9);
  form.Caption("Renamed");
  form.cmdGo.Move(600, 600, 1500, 450);
  renderer_.Sync();

  EXPECT_EQ(static_cast<QPushButton*>(Widget(form.cmdGo))->text(), "&Stop");
  EXPECT_EQ(Widget(form.cmdGo)->geometry(), QRect(40, 40, 100, 30));
  EXPECT_EQ(static_cast<QLabel*>(Widget(form.lblTitle))->text(), "Done");
  EXPECT_TRUE(Widget(form.cmdHidden)->isVisible());
  EXPECT_FALSE(Widget(form.chkBleach)->isEnabled());
  // A disabled frame blocks its children; their own Enabled stays.
  EXPECT_FALSE(Widget(form.optQuick)->isEnabled());
  EXPECT_TRUE(form.optQuick.Enabled());
  EXPECT_EQ(static_cast<QListWidget*>(Widget(form.lstChecks))->item(2)->checkState(), Qt::Checked);
  EXPECT_EQ(renderer_.WindowOf(form)->windowTitle(), "Renamed");
  ExpectDrawnAsModel(renderer_, form);

  form.cmdHidden.Visible(false);
  form.lstPlain.Clear();
  renderer_.Sync();
  EXPECT_FALSE(Widget(form.cmdHidden)->isVisible());
  EXPECT_EQ(static_cast<QListWidget*>(Widget(form.lstPlain))->count(), 0);
}

TEST_F(GuiTest, ControlsLoadedAndFormsUnloadedLaterComeAndGo) {
  Gallery form;
  form.Load();
  form.Show();
  renderer_.Sync();
  CheckBox& added = form.chkIE.Load(3);
  added.Caption("Typed URLs");
  renderer_.Sync();
  ASSERT_NE(Widget(added), nullptr);
  EXPECT_TRUE(ShownTexts(Widget(added)).contains("Typed URLs"));

  form.Hide();
  renderer_.Sync();
  EXPECT_FALSE(renderer_.WindowOf(form)->isVisible());
  Unload(form);
  renderer_.Sync();
  EXPECT_EQ(renderer_.WindowOf(form), nullptr);
}

TEST_F(GuiTest, FormsWithoutGeometryAreStackedReadably) {
  Unplaced form;
  form.Load();
  form.Show();
  renderer_.Sync();
  ExpectDrawnAsModel(renderer_, form);
  Screenshot(form, "unplaced");
  std::vector<QWidget*> topLevel;
  for (Control* control : form.Controls())
    if (!control->Container()) topLevel.push_back(Widget(*control));
  QWidget* canvas = topLevel.front()->parentWidget();
  for (std::size_t i = 0; i < topLevel.size(); ++i) {
    // Each at least as large as it needs, inside the window, overlapping none.
    EXPECT_GE(topLevel[i]->width(), topLevel[i]->sizeHint().width());
    EXPECT_TRUE(canvas->rect().contains(topLevel[i]->geometry())) << i;
    for (std::size_t j = i + 1; j < topLevel.size(); ++j)
      EXPECT_FALSE(topLevel[i]->geometry().intersects(topLevel[j]->geometry())) << i << " " << j;
  }
  // The frame holds its options, below its caption.
  QWidget* frame = Widget(form.fraGroup);
  EXPECT_TRUE(frame->rect().contains(Widget(form.optB)->geometry()));
  EXPECT_GE(Widget(form.optA)->y(), 16);
  EXPECT_FALSE(Widget(form.optA)->geometry().intersects(Widget(form.optB)->geometry()));
}

}  // namespace
}  // namespace tessaly::testing
