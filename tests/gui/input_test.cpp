// The user's actions through Qt become the model's events at the next loop
// turn; the widgets then show what the model decided.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "gui_fixture.h"

namespace tessaly::testing {
namespace {

// Logs "control_event" when the control's event runs.
#define TSY_LOG(control, event) form_.control.event.Handle([this] { Log(#control "_" #event); })

class InputTest : public GuiTest {
 protected:
  InputTest() {
    form_.Load();
    form_.Show();
    TSY_LOG(cmdGo, Click);
    TSY_LOG(chkBleach, Click);
    TSY_LOG(optQuick, Click);
    TSY_LOG(txtName, Change);
    TSY_LOG(lstPlain, Click);
    TSY_LOG(cmbMode, Click);
    TSY_LOG(sldLevel, Change);
    TSY_LOG(updPasses, Change);
    TSY_LOG(mnuOpen, Click);
    form_.lstChecks.ItemCheck.Handle([this](int item) { Log("lstChecks_ItemCheck " + std::to_string(item)); });
    form_.lvwFiles.ColumnClick.Handle([this](ColumnHeader& column) { Log("ColumnClick " + column.Text); });
    form_.lvwFiles.ItemCheck.Handle([this](ListItem& item) { Log("ItemCheck " + item.Text); });
    form_.tvwKeys.NodeCheck.Handle([this](Node& node) { Log("NodeCheck " + node.Text); });
    form_.chkIE.Handle(&CheckBox::Click, [this](int index) { Log("chkIE_Click " + std::to_string(index)); });
    renderer_.Sync();
  }

  void Log(std::string entry) { log_.push_back(std::move(entry)); }
  template <class W>
  W* As(const Control& control) {
    return static_cast<W*>(Widget(control));
  }

  Gallery form_;
  std::vector<std::string> log_;
};

TEST_F(InputTest, AButtonClickedThroughQtRunsItsHandlerAtTheNextTurn) {
  QTest::mouseClick(As<QPushButton>(form_.cmdGo), Qt::LeftButton);
  EXPECT_TRUE(log_.empty()) << "handlers run only at a loop turn";
  EXPECT_EQ(QueuedEventCount(), 1u);
  Turn();
  EXPECT_EQ(log_, std::vector<std::string>{"cmdGo_Click"});

  // Disabled by the time the turn comes: the click is dropped.
  QTest::mouseClick(As<QPushButton>(form_.cmdGo), Qt::LeftButton);
  form_.cmdGo.Enabled(false);
  Turn();
  EXPECT_EQ(log_.size(), 1u);
}

TEST_F(InputTest, ACheckBoxShowsThreeStatesAndOnlyTheModelChangesThem) {
  auto* box = As<QCheckBox>(form_.chkBleach);
  EXPECT_EQ(box->checkState(), Qt::PartiallyChecked);
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
  EXPECT_EQ(box->checkState(), Qt::PartiallyChecked) << "the widget waits for the model";
  Turn();
  EXPECT_EQ(form_.chkBleach.Value(), vbChecked);
  EXPECT_EQ(box->checkState(), Qt::Checked);
  EXPECT_EQ(log_, std::vector<std::string>{"chkBleach_Click"});
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
  Turn();
  EXPECT_EQ(box->checkState(), Qt::Unchecked);
  form_.chkBleach.Value(vbGrayed);
  renderer_.Sync();
  EXPECT_EQ(box->checkState(), Qt::PartiallyChecked);

  // A member of a control array reports its index.
  As<QCheckBox>(form_.chkIE(2))->click();
  Turn();
  EXPECT_EQ(log_.back(), "chkIE_Click 2");
  EXPECT_EQ(As<QCheckBox>(form_.chkIE(2))->checkState(), Qt::Checked);
}

TEST_F(InputTest, AnOptionButtonClearsItsPartnerThroughTheModel) {
  As<QAbstractButton>(form_.optQuick)->click();
  Turn();
  EXPECT_TRUE(form_.optQuick.Value());
  EXPECT_FALSE(form_.optDeep.Value());
  EXPECT_TRUE(As<QAbstractButton>(form_.optQuick)->isChecked());
  EXPECT_FALSE(As<QAbstractButton>(form_.optDeep)->isChecked());
  EXPECT_EQ(log_, std::vector<std::string>{"optQuick_Click"});
}

TEST_F(InputTest, ListBoxCheckRowsTickThroughTheModel) {
  auto* list = As<QListWidget>(form_.lstChecks);
  list->item(1)->setCheckState(Qt::Checked);  // what a click on the box does
  EXPECT_FALSE(form_.lstChecks.Selected(1));
  Turn();
  EXPECT_TRUE(form_.lstChecks.Selected(1));
  EXPECT_EQ(log_, std::vector<std::string>{"lstChecks_ItemCheck 1"});
  list->item(0)->setCheckState(Qt::Unchecked);
  Turn();
  EXPECT_FALSE(form_.lstChecks.Selected(0));
  EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);

  // A plain list: a click on a row selects it.
  auto* plain = As<QListWidget>(form_.lstPlain);
  QTest::mouseClick(plain->viewport(), Qt::LeftButton, {}, plain->visualItemRect(plain->item(0)).center());
  Turn();
  EXPECT_EQ(form_.lstPlain.ListIndex(), 0);
  EXPECT_EQ(log_.back(), "lstPlain_Click");
}

TEST_F(InputTest, TypingReachesTheModelAsKeysThroughKeyPress) {
  form_.txtName.KeyPress.Handle([](int& key) {
    if (key == 'x') key = 0;  // the form refuses x
  });
  auto* line = As<QLineEdit>(form_.txtName);
  line->clear();
  QTest::keyClicks(line, "axb");
  Turn();
  EXPECT_EQ(form_.txtName.Text(), "ab");
  EXPECT_EQ(line->text(), "ab") << "the refused key disappears from the widget";
  EXPECT_FALSE(log_.empty());
  EXPECT_EQ(log_.back(), "txtName_Change");

  QTest::keyClick(line, Qt::Key_Backspace);
  Turn();
  EXPECT_EQ(form_.txtName.Text(), "a");

  auto* lines = As<QPlainTextEdit>(form_.txtLog);
  lines->moveCursor(QTextCursor::End);
  QTest::keyClick(lines, Qt::Key_Return);
  QTest::keyClicks(lines, "Done");
  Turn();
  EXPECT_EQ(form_.txtLog.Text(), "Started\r\nRemoved 3 files\r\nDone");
}

// A number box that puts its value back on a key it refuses, as the
// suite's value boxes do: the next keys go where the user was typing.
TEST_F(InputTest, AfterAPutBackTheNextKeysGoWhereTheUserWasTyping) {
  auto* line = As<QLineEdit>(form_.txtName);
  form_.txtName.Text("20");
  renderer_.Sync();
  form_.txtName.Change.Handle([this] {
    const std::string text = form_.txtName.Text();
    bool number = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    if (!number || std::stol(text) < 4) form_.txtName.Text("20");
  });
  struct Case {
    const char* keys;  // typed at the end, one turn each
    const char* shown;
  } cases[] = {
      {"1x5", "205"},  // x refused after an accepted key: "20" is back, 5 follows it
      {"x", "20"},
      {"e3", "203"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys);
    form_.txtName.Text("20");
    renderer_.Sync();
    line->setFocus();
    line->end(false);
    for (const char* key = c.keys; *key; ++key) {
      QTest::keyClick(line, *key);
      Turn();
    }
    EXPECT_EQ(form_.txtName.Text(), c.shown);
    EXPECT_EQ(line->text().toStdString(), c.shown);
  }
  // Backspace over the value's last digit: it is put back, and the caret
  // stays after it.
  form_.txtName.Text("20");
  renderer_.Sync();
  line->end(false);
  QTest::keyClick(line, Qt::Key_Backspace);  // "2" is under the minimum
  Turn();
  EXPECT_EQ(line->cursorPosition(), 2);
  QTest::keyClick(line, '5');
  Turn();
  EXPECT_EQ(form_.txtName.Text(), "205");
}

TEST_F(InputTest, ComboListViewTreeSliderUpDownAndMenuActions) {
  auto* combo = As<QComboBox>(form_.cmbMode);
  combo->activated(0);  // what choosing from the drop-down emits
  Turn();
  EXPECT_EQ(form_.cmbMode.ListIndex(), 0);
  EXPECT_EQ(combo->currentText(), "Simple");

  auto* files = As<QTreeWidget>(form_.lvwFiles);
  files->header()->sectionClicked(1);
  files->topLevelItem(0)->setCheckState(0, Qt::Checked);
  auto* keys = As<QTreeWidget>(form_.tvwKeys);
  keys->topLevelItem(0)->child(0)->setCheckState(0, Qt::Checked);
  As<QSlider>(form_.sldLevel)->setValue(7);
  Widget(form_.updPasses)->findChild<QToolButton*>("up")->click();
  auto* window = static_cast<QMainWindow*>(renderer_.WindowOf(form_));
  window->menuBar()->actions()[0]->menu()->actions()[0]->trigger();
  EXPECT_TRUE(log_.size() == 1) << "nothing ran before the turn";
  Turn();

  EXPECT_TRUE(form_.lvwFiles.Item(1).Checked);
  EXPECT_TRUE(form_.tvwKeys.Item(2).Checked);
  EXPECT_EQ(form_.sldLevel.Value(), 7);
  EXPECT_EQ(form_.updPasses.Value(), 4);
  EXPECT_EQ(form_.txtPasses.Text(), "4");
  EXPECT_EQ(log_, (std::vector<std::string>{"cmbMode_Click", "ColumnClick Size", "ItemCheck index.dat",
                                            "NodeCheck Software", "sldLevel_Change", "updPasses_Change",
                                            "mnuOpen_Click"}));
}

TEST_F(InputTest, TheCloseBoxAsksTheFormThroughQueryUnload) {
  renderer_.WindowOf(form_)->close();
  EXPECT_TRUE(form_.loaded());
  Turn();
  EXPECT_EQ(form_.log, std::vector<std::string>{"QueryUnload 0"});
  EXPECT_FALSE(form_.loaded());
  EXPECT_EQ(renderer_.WindowOf(form_), nullptr);
}

}  // namespace
}  // namespace tessaly::testing
