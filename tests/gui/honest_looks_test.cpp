// What the window shows matches what the program does: greyed controls look
// greyed in every skin look, the drive box shows the selected drive, and a
// check box ticked through the accessibility interface ticks the model.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "gui/skin_look.h"
#include "gui_fixture.h"
#include "platform/forms/controls/check_box.h"
#include "platform/forms/controls/file_system_lists.h"

namespace tessaly::testing {
namespace {

// How far apart two colours are, 0..765.
int Distance(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

TEST(DisabledLook, EverySkinLookGreysTheTextOfADisabledControl) {
  QtReady qt;
  struct Look {
    const char* name;
    const char *back, *fore;
  };
  // The looks of the program's skins: light on dark and dark on light.
  const Look looks[] = {
      {"Button", "#2E4053", "#FFFFFF"}, {"ButtonWhite", "#FFFFFF", "#1E2A38"}, {"Form", "#1E2A38", "#FFFFFF"},
      {"StaticRed", nullptr, "#E74C3C"}, {"none", nullptr, nullptr},
  };
  for (const Look& look : looks) {
    SCOPED_TRACE(look.name);
    gui::SkinLook skin;
    if (look.back) skin.back = QColor(look.back);
    if (look.fore) skin.fore = QColor(look.fore);
    for (bool enabled : {true, false}) {
      SCOPED_TRACE(enabled ? "enabled" : "disabled");
      QPushButton button("START");
      gui::DressWidget(&button, skin);
      button.setEnabled(enabled);
      const QPalette& palette = button.palette();
      QColor shown = palette.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
      QColor background = palette.color(QPalette::Active, QPalette::Button);
      if (enabled) {
        EXPECT_EQ(shown, palette.color(QPalette::Active, QPalette::ButtonText));
        continue;
      }
      QColor active = palette.color(QPalette::Active, QPalette::ButtonText);
      // Greyed: visibly not the enabled colour, and nearer the background.
      EXPECT_GT(Distance(shown, active), 60) << shown.name().toStdString() << " vs " << active.name().toStdString();
      EXPECT_LT(Distance(shown, background), Distance(active, background));
    }
  }
}

// The brightest pixel of a widget drawn on its dark container, 0..765.
int Brightest(QWidget& widget, QRect area) {
  QImage image = widget.grab().toImage();
  int best = 0;
  for (int y = area.top(); y <= area.bottom() && y < image.height(); ++y)
    for (int x = area.left(); x <= area.right() && x < image.width(); ++x) {
      QColor c = image.pixelColor(x, y);
      best = std::max(best, c.red() + c.green() + c.blue());
    }
  return best;
}

TEST(DisabledLook, ACheckBoxOrOptionButtonWithAForeColourOnlyGreysItsCaptionAndItsBox) {
  QtReady qt;
  gui::SkinLook look;  // the skins' "Check" and "Radio": a fore colour, no back
  look.fore = QColor("#FFFFFF");
  QWidget page;
  page.resize(300, 60);
  QCheckBox box("Certain Size", &page);
  QRadioButton option("Manual Mode", &page);
  // The controls are dressed before the window they sit on, as drawn.
  for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{&box, &option}) gui::DressWidget(button, look);
  QPalette dark = page.palette();
  dark.setColor(QPalette::Window, QColor("#1E2A38"));
  page.setPalette(dark);
  page.setAutoFillBackground(true);
  for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{&box, &option}) {
    SCOPED_TRACE(button->text().toStdString());
    button->setGeometry(0, 0, 200, 24);
    QStyleOptionButton styleOption;
    styleOption.initFrom(button);
    QRect mark = button->style()->subElementRect(
        qobject_cast<QCheckBox*>(button) ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator, &styleOption,
        button);
    QRect caption(mark.right() + 2, 0, 200 - mark.right() - 2, 24);
    button->setEnabled(true);
    int captionOn = Brightest(*button, caption), markOn = Brightest(*button, mark);
    button->setEnabled(false);
    int captionOff = Brightest(*button, caption), markOff = Brightest(*button, mark);
    EXPECT_GT(captionOn, 700);
    EXPECT_LT(captionOff, captionOn - 150) << "the caption looks as it does enabled";
    EXPECT_LT(markOff, markOn - 150) << "the box looks as it does enabled";
  }
}

class Panel : public Form {
 public:
  Panel() : Form("frmPanel") {
    Move(0, 0, 6000, 4500);
    Drv.Move(120, 120, 1800, 315);
    chkBleach.Caption("Bleach free space");
    chkBleach.Move(120, 600, 3000, 300);
    lstFiles.Move(120, 1020, 1500, 900);
    lstFiles.AddItem("C:\\Documents and Settings\\User\\My Documents\\very long file name.doc");
    cmdLong.Caption("A caption much longer than its button");
    cmdLong.Move(120, 2100, 900, 375);
  }
  TSY_CONTROL(DriveListBox, Drv);
  TSY_CONTROL(CheckBox, chkBleach);
  TSY_CONTROL(ListBox, lstFiles);
  TSY_CONTROL(CommandButton, cmdLong);
};

class HonestLooksTest : public GuiTest {
 protected:
  HonestLooksTest() {
    form_.Load();
    form_.Show();
    renderer_.Sync();
  }
  Panel form_;
};

TEST_F(HonestLooksTest, TheDriveBoxIsADropDownShowingTheSelectedDrive) {
  auto* combo = qobject_cast<QComboBox*>(Widget(form_.Drv));
  ASSERT_NE(combo, nullptr);
  ASSERT_GT(form_.Drv.ListCount(), 1);
  ASSERT_EQ(form_.Drv.Drive().substr(0, 2), "c:");
  EXPECT_EQ(combo->currentText().toStdString(), form_.Drv.Drive());
  form_.Drv.Drive("a");
  renderer_.Sync();
  EXPECT_EQ(combo->currentText().toStdString(), "a:");
  // The user's choice reaches the model (and raises Change).
  int changes = 0;
  form_.Drv.Change.Handle([&] { ++changes; });
  int c = combo->findText(QString::fromStdString(form_.Drv.List(1)));
  ASSERT_GE(c, 0);
  combo->setCurrentIndex(c);
  emit combo->activated(c);
  Turn();
  EXPECT_EQ(form_.Drv.ListIndex(), c);
  EXPECT_EQ(changes, 1);
}

TEST_F(HonestLooksTest, ANarrowDriveBoxKeepsTheWholeDriveReadable) {
  auto* combo = qobject_cast<QComboBox*>(Widget(form_.Drv));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->toolTip(), "") << "a drive that fits needs no tip";
  form_.Drv.Move(120, 120, 600, 315);  // 40 pixels: "c: [SYSTEM]" is cut
  renderer_.Sync();
  EXPECT_EQ(combo->toolTip().toStdString(), form_.Drv.Drive());
  // The open list is as wide as its longest drive, each with its tip.
  for (int i = 0; i < combo->count(); ++i) {
    EXPECT_GE(combo->view()->minimumWidth(), combo->fontMetrics().horizontalAdvance(combo->itemText(i)));
    EXPECT_EQ(combo->itemData(i, Qt::ToolTipRole).toString(), combo->itemText(i));
  }
}

TEST_F(HonestLooksTest, ACheckBoxToggledThroughTheAccessibilityInterfaceTicksTheModel) {
  auto* box = qobject_cast<QCheckBox*>(Widget(form_.chkBleach));
  ASSERT_NE(box, nullptr);
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::CheckBox);
  EXPECT_EQ(accessible->text(QAccessible::Name), "Bleach free space");
  QAccessibleActionInterface* actions = accessible->actionInterface();
  ASSERT_NE(actions, nullptr);
  ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
  int clicks = 0;
  form_.chkBleach.Click.Handle([&] { ++clicks; });
  actions->doAction(QAccessibleActionInterface::toggleAction());
  Turn();
  EXPECT_EQ(form_.chkBleach.Value(), vbChecked);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(box->isChecked());

  // A toggle the model refuses (the box is disabled by then) goes back.
  actions->doAction(QAccessibleActionInterface::toggleAction());
  form_.chkBleach.Enabled(false);
  Turn();
  EXPECT_EQ(form_.chkBleach.Value(), vbChecked);
  EXPECT_TRUE(box->isChecked());
}

TEST_F(HonestLooksTest, CutTextsKeepTheirWholeTextInATooltip) {
  auto* list = qobject_cast<QListWidget*>(Widget(form_.lstFiles));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->item(0)->toolTip().toStdString(), form_.lstFiles.List(0));
  EXPECT_EQ(Widget(form_.cmdLong)->toolTip(), "A caption much longer than its button");
  EXPECT_EQ(Widget(form_.chkBleach)->toolTip(), "") << "a caption that fits needs no tip";
  form_.cmdLong.ToolTipText("Runs it");
  renderer_.Sync();
  EXPECT_EQ(Widget(form_.cmdLong)->toolTip(), "Runs it") << "the program's own tip wins";
}

TEST_F(HonestLooksTest, TheFormsWindowStateFollowsTheWindowManager) {
  QWidget* window = renderer_.WindowOf(form_);
  form_.WindowState(1);  // the program's own minimise
  renderer_.Sync();
  EXPECT_TRUE(window->isMinimized());
  window->setWindowState(Qt::WindowNoState);  // restored by the window manager
  QCoreApplication::processEvents();
  Turn();
  EXPECT_EQ(form_.WindowState(), 0);
  EXPECT_FALSE(window->isMinimized());
  window->setWindowState(Qt::WindowMinimized);  // minimised by it
  QCoreApplication::processEvents();
  Turn();
  EXPECT_EQ(form_.WindowState(), 1);
  EXPECT_TRUE(window->isMinimized());
}

}  // namespace
}  // namespace tessaly::testing
