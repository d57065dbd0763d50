// What assistive technology reads and does through Qt's accessibility
// interfaces is what the program has and does: text set that way reaches
// the model as typing does, ticks the model refuses go back, option buttons
// are radio buttons, and rows are selected as the model says.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <functional>

#include "gui_fixture.h"

namespace tessaly::testing {
namespace {

class Fields : public Form {
 public:
  Fields() : Form("frmFields") {
    Caption("Fields");
    Move(0, 0, 9000, 7200);
    txtSize.Text("0");
    txtSize.Move(120, 120, 1500, 330);
    txtLog.MultiLine(true);
    txtLog.Text("Started");
    txtLog.Move(120, 600, 4200, 900);
    cboHost.AddItem("localhost");
    cboHost.AddItem("10.0.0.1");
    cboHost.Text("localhost");
    cboHost.Move(1800, 120, 2400, 315);
    fraMode.Caption("Mode");
    fraMode.Move(4500, 120, 4200, 900);
    optAuto.Caption("Automatic");
    optAuto.Move(120, 300, 1800, 300);
    optManual.Caption("Manual");
    optManual.Move(2100, 300, 1800, 300);
    optAuto.Value(true);
    lvwRows.Checkboxes(true);
    lvwRows.AddColumn({}, "", "Plug-in", 2400);
    lvwRows.Add({}, "ok", "Installed one");
    lvwRows.Add({}, "no", "Not installed");
    lvwRows.Move(120, 1650, 4200, 1500);
    lstRows.Style(1);
    for (const char* row : {"Recent documents", "Run history"}) lstRows.AddItem(row);
    lstRows.Move(4500, 1650, 4200, 900);
    lstPlain.AddItem("alpha");
    lstPlain.AddItem("beta");
    lstPlain.Move(4500, 2700, 4200, 900);
    tvwKeys.Checkboxes(true);
    tvwKeys.Add({}, 0, "kept", "Kept");
    tvwKeys.Add({}, 0, "locked", "Locked");
    tvwKeys.Move(120, 3300, 4200, 900);
  }

  TSY_CONTROL(TextBox, txtSize);
  TSY_CONTROL(TextBox, txtLog);
  TSY_CONTROL(ComboBox, cboHost);
  TSY_CONTROL(Frame, fraMode);
  TSY_CONTROL_IN(OptionButton, optAuto, fraMode);
  TSY_CONTROL_IN(OptionButton, optManual, fraMode);
  TSY_CONTROL(ListView, lvwRows);
  TSY_CONTROL(ListBox, lstRows);
  TSY_CONTROL(ListBox, lstPlain);
  TSY_CONTROL(TreeView, tvwKeys);
};

class AccessibilityTest : public GuiTest {
 protected:
  AccessibilityTest() {
    form_.Load();
    form_.Show();
    // Digits only, as the size fields take them.
    form_.txtSize.KeyPress.Handle([](int& key) {
      if ((key < '0' || key > '9') && key != 8) key = 0;
    });
    form_.txtSize.Change.Handle([this] { log_.push_back("txtSize_Change " + form_.txtSize.Text()); });
    form_.txtLog.Change.Handle([this] { log_.push_back("txtLog_Change"); });
    form_.cboHost.Change.Handle([this] { log_.push_back("cboHost_Change " + form_.cboHost.Text()); });
    form_.cboHost.Click.Handle([this] { log_.push_back("cboHost_Click " + form_.cboHost.Text()); });
    // Rows that may never be ticked, as a plug-in that is not installed.
    form_.lvwRows.ItemCheck.Handle([](ListItem& row) {
      if (row.Text == "Not installed") row.Checked = false;
    });
    form_.lstRows.ItemCheck.Handle([this](int row) {
      if (row == 1) form_.lstRows.Selected(1, false);
    });
    form_.tvwKeys.NodeCheck.Handle([](Node& node) {
      if (node.Text == "Locked") node.Checked = false;
    });
    renderer_.Sync();
  }

  template <class W>
  W* As(const Control& control) {
    return static_cast<W*>(Widget(control));
  }
  static QAccessibleInterface* Accessible(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(iface, nullptr);
    return iface;
  }
  // A row's first cell as assistive technology sees it.
  static QAccessibleInterface* Cell(QWidget* view, int row) {
    QAccessibleTableInterface* table = Accessible(view)->tableInterface();
    EXPECT_NE(table, nullptr);
    return table ? table->cellAt(row, 0) : nullptr;
  }

  Fields form_;
  std::vector<std::string> log_;
};

TEST_F(AccessibilityTest, TextSetThroughTheAccessibilityInterfaceReachesTheModelAsTypedKeys) {
  QAccessibleInterface* size = Accessible(As<QLineEdit>(form_.txtSize));
  // As voice control sets a field: the whole value at once, nothing typed.
  size->setText(QAccessible::Value, "4x2");
  Turn();
  EXPECT_EQ(form_.txtSize.Text(), "42") << "KeyPress filters what the interface sets";
  EXPECT_EQ(As<QLineEdit>(form_.txtSize)->text(), "42");
  EXPECT_EQ(log_, (std::vector<std::string>{"txtSize_Change 4", "txtSize_Change 42"})) << "one Change per key";
  // An edit of a span through the editable text interface.
  size->editableTextInterface()->replaceText(0, 1, "7");
  Turn();
  EXPECT_EQ(form_.txtSize.Text(), "72");

  QAccessibleEditableTextInterface* log = Accessible(As<QPlainTextEdit>(form_.txtLog))->editableTextInterface();
  ASSERT_NE(log, nullptr);
  log->insertText(static_cast<int>(std::string("Started").size()), "\nDone");
  Turn();
  EXPECT_EQ(form_.txtLog.Text(), "Started\r\nDone");
  EXPECT_EQ(log_.back(), "txtLog_Change");

  // The field of an editable combo box.
  auto* host = As<QComboBox>(form_.cboHost)->lineEdit();
  ASSERT_NE(host, nullptr);
  Accessible(host)->setText(QAccessible::Value, "example.org");
  Turn();
  EXPECT_EQ(form_.cboHost.Text(), "example.org");
  EXPECT_EQ(log_.back(), "cboHost_Change example.org");
}

TEST_F(AccessibilityTest, AComboChoiceIsAClickNotAnEditAndTheModelsTextIsNoEdit) {
  auto* combo = As<QComboBox>(form_.cboHost);
  form_.cboHost.Text("set by the program");
  log_.clear();
  Turn();
  EXPECT_EQ(combo->currentText(), "set by the program");
  EXPECT_TRUE(log_.empty()) << "the model's own text came back as the user's";
  // Choosing from the list sets the field's text first, then activates.
  combo->setCurrentIndex(1);
  emit combo->activated(1);
  Turn();
  EXPECT_EQ(form_.cboHost.Text(), "10.0.0.1");
  EXPECT_EQ(log_, std::vector<std::string>{"cboHost_Click 10.0.0.1"});
}

TEST_F(AccessibilityTest, ATickTheModelRefusesGoesBackOnTheScreenByEveryRoute) {
  auto* rows = As<QTreeWidget>(form_.lvwRows);
  auto* list = As<QListWidget>(form_.lstRows);
  auto* keys = As<QTreeWidget>(form_.tvwKeys);
  auto tickListView = [&](int row) { rows->topLevelItem(row)->setCheckState(0, Qt::Checked); };
  // A screen reader's action on the row.
  auto actOnListView = [&](int row) {
    QAccessibleInterface* cell = Cell(rows, row);
    ASSERT_TRUE(cell->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    cell->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  };
  auto spaceOnListView = [&](int row) {
    rows->setFocus();
    rows->setCurrentItem(rows->topLevelItem(row));
    QTest::keyClick(rows, Qt::Key_Space);
  };
  struct Route {
    const char* name;
    std::function<void(int)> tick;
  };
  for (const Route& route :
       {Route{"tick", tickListView}, Route{"space bar", spaceOnListView}, Route{"action", actOnListView}}) {
    SCOPED_TRACE(route.name);
    for (int i = 1; i <= 2; ++i) form_.lvwRows.Item(i).Checked = false;
    Turn();
    route.tick(1);
    Turn();
    EXPECT_FALSE(form_.lvwRows.Item(2).Checked);
    EXPECT_EQ(rows->topLevelItem(1)->checkState(0), Qt::Unchecked) << "a refused tick still shows";
    EXPECT_FALSE(Cell(rows, 1)->state().checked);
    route.tick(0);
    Turn();
    EXPECT_TRUE(form_.lvwRows.Item(1).Checked);
    EXPECT_EQ(rows->topLevelItem(0)->checkState(0), Qt::Checked);
    EXPECT_TRUE(Cell(rows, 0)->state().checked);
  }

  list->item(1)->setCheckState(Qt::Checked);
  list->item(0)->setCheckState(Qt::Checked);
  keys->topLevelItem(1)->setCheckState(0, Qt::Checked);
  keys->topLevelItem(0)->setCheckState(0, Qt::Checked);
  Turn();
  EXPECT_TRUE(form_.lstRows.Selected(0));
  EXPECT_FALSE(form_.lstRows.Selected(1));
  EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(list->item(1)->checkState(), Qt::Unchecked);
  EXPECT_TRUE(form_.tvwKeys.Item(1).Checked);
  EXPECT_FALSE(form_.tvwKeys.Item(2).Checked);
  EXPECT_EQ(keys->topLevelItem(0)->checkState(0), Qt::Checked);
  EXPECT_EQ(keys->topLevelItem(1)->checkState(0), Qt::Unchecked);

  // A screen reader's action on list and tree rows: a tick asked of the model.
  auto act = [&](QWidget* view, int row) {
    Cell(view, row)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  };
  act(list, 1);
  act(keys, 1);
  act(list, 0);
  act(keys, 0);
  Turn();
  EXPECT_FALSE(form_.lstRows.Selected(0));
  EXPECT_FALSE(form_.lstRows.Selected(1));
  EXPECT_FALSE(form_.tvwKeys.Item(1).Checked);
  EXPECT_FALSE(form_.tvwKeys.Item(2).Checked);
  for (int row : {0, 1}) {
    EXPECT_FALSE(Cell(list, row)->state().checked);
    EXPECT_FALSE(Cell(keys, row)->state().checked);
  }
  act(list, 0);
  Turn();
  EXPECT_TRUE(form_.lstRows.Selected(0));
  EXPECT_TRUE(Cell(list, 0)->state().checked);
}

TEST_F(AccessibilityTest, OptionButtonsAreRadioButtonsCheckedAsTheModelSays) {
  auto* automatic = As<QRadioButton>(form_.optAuto);
  auto* manual = As<QRadioButton>(form_.optManual);
  QAccessibleInterface* autoIface = Accessible(automatic);
  QAccessibleInterface* manualIface = Accessible(manual);
  EXPECT_EQ(autoIface->role(), QAccessible::RadioButton);
  EXPECT_EQ(manualIface->role(), QAccessible::RadioButton);
  EXPECT_TRUE(autoIface->state().checked);
  EXPECT_FALSE(manualIface->state().checked);

  // Chosen through the interface's action: the model chooses.
  QAccessibleActionInterface* action = manualIface->actionInterface();
  ASSERT_NE(action, nullptr);
  ASSERT_TRUE(action->actionNames().contains(QAccessibleActionInterface::toggleAction()));
  action->doAction(QAccessibleActionInterface::toggleAction());
  Turn();
  EXPECT_TRUE(form_.optManual.Value());
  EXPECT_FALSE(form_.optAuto.Value());
  EXPECT_TRUE(manualIface->state().checked);
  EXPECT_FALSE(autoIface->state().checked);

  // The program may leave a group with no choice at all.
  form_.optManual.Value(false);
  renderer_.Sync();
  EXPECT_FALSE(manual->isChecked());
  EXPECT_FALSE(automatic->isChecked());
  form_.optAuto.Value(true);
  renderer_.Sync();
  EXPECT_TRUE(automatic->isChecked());
  EXPECT_FALSE(manual->isChecked());
}

TEST_F(AccessibilityTest, RowsAreToldSelectedAsTheModelHasThem) {
  auto* rows = As<QTreeWidget>(form_.lvwRows);
  QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, rows->visualItemRect(rows->topLevelItem(1)).center());
  Turn();
  ASSERT_EQ(form_.lvwRows.SelectedItemOrNull(), &form_.lvwRows.Item(2));
  EXPECT_TRUE(Cell(rows, 1)->state().selected);
  EXPECT_FALSE(Cell(rows, 0)->state().selected);
  form_.lvwRows.Select(&form_.lvwRows.Item(1));
  renderer_.Sync();
  EXPECT_TRUE(Cell(rows, 0)->state().selected);
  EXPECT_FALSE(Cell(rows, 1)->state().selected);

  auto* plain = As<QListWidget>(form_.lstPlain);
  QTest::mouseClick(plain->viewport(), Qt::LeftButton, {}, plain->visualItemRect(plain->item(1)).center());
  Turn();
  ASSERT_EQ(form_.lstPlain.ListIndex(), 1);
  EXPECT_TRUE(Cell(plain, 1)->state().selected);
  EXPECT_FALSE(Cell(plain, 0)->state().selected);
  form_.lstPlain.ListIndex(-1);
  renderer_.Sync();
  EXPECT_FALSE(Cell(plain, 1)->state().selected);
}

}  // namespace
}  // namespace tessaly::testing
