// The message loop on Qt's event loop: timers, the end of the program,
// dialogs that hold the loop, and when a renderer is wanted at all.
#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <cstdlib>
#include <optional>

#include "gui/dialogs.h"
#include "gui/display.h"
#include "gui_fixture.h"
#include "platform/base/process_end.h"
#include "platform/registry/advapi32.h"

namespace tessaly::testing {
namespace {

class Ticker : public Form {
 public:
  Ticker() : Form("frmTicker") {
    tmrStep.Interval(20);
    tmrStep.Enabled(true);
    TSY_ON(tmrStep, TimerEvent, tmrStep_Timer);
  }
  TSY_CONTROL(Timer, tmrStep);
  TSY_CONTROL(Label, lblCount);
  int ticks = 0;
  std::function<void()> atThree;

 private:
  void tmrStep_Timer() {
    lblCount.Caption(std::to_string(++ticks));
    if (ticks == 3 && atThree) atThree();
  }
};

// Advances the test machine's clock in step with the real one, so the
// model's timers run while Qt's loop spins.
class LoopTest : public GuiTest {
 protected:
  LoopTest() {
    clockPump_.setInterval(5);
    QObject::connect(&clockPump_, &QTimer::timeout, [this] { machine_.clock().Advance(5); });
    clockPump_.start();
  }
  QTimer clockPump_;
};

TEST_F(LoopTest, TimersRunOnQtsLoopUntilTheLastFormUnloads) {
  Ticker form;
  form.Load();
  form.Show();
  form.atThree = [&] { Unload(form); };
  renderer_.Run();
  EXPECT_EQ(form.ticks, 3);
  EXPECT_TRUE(LoadedForms().empty());
}

TEST_F(LoopTest, TheEndStatementLeavesQtsLoopAndEndsTheProcess) {
  Ticker form;
  form.Load();
  form.Show();
  form.atThree = [] { End(); };
  std::optional<UINT> code = platform::RunUntilProcessEnd([&] { renderer_.Run(); });
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0u);
  EXPECT_EQ(form.ticks, 3);
}

// Clicks the button named `text` of the modal box once it is open.
void AnswerBox(const QString& text) {
  QTimer::singleShot(0, [text] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    for (QAbstractButton* button : box->buttons())
      if (button->text() == text) return button->click();
    ADD_FAILURE() << "no button " << text.toStdString();
  });
}

TEST_F(LoopTest, MessageBoxesAreRealDialogsAndHoldTheLoop) {
  Ticker form;
  form.Load();
  form.Show();
  int answer = 0;
  int ticksWhileOpen = -1;
  form.atThree = [&] {
    QTimer::singleShot(100, [&] {
      ticksWhileOpen = form.ticks;
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->windowTitle(), "Tessaly");
      EXPECT_EQ(box->text(), "Delete 3 files?");
      EXPECT_EQ(box->icon(), QMessageBox::Question);
      EXPECT_EQ(box->defaultButton()->text(), "No");
      for (QAbstractButton* button : box->buttons())
        if (button->text() == "Yes") button->click();
    });
    answer = MsgBox("Delete 3 files?", vbYesNo | vbQuestion | vbDefaultButton2);
    Unload(form);
  };
  renderer_.Run();
  EXPECT_EQ(answer, vbYes);
  EXPECT_EQ(ticksWhileOpen, 3) << "no timer ran while the box was open";
  ASSERT_EQ(Answers().records().size(), 1u);
  EXPECT_EQ(Answers().records()[0].answer.choice, "Yes");
}

// A box waiting for the user holds the loop, not the disk: what the program
// changed before it is written while it waits (a run asking about the
// plug-ins has already cleaned the other sections).
TEST_F(LoopTest, ChangesMadeBeforeABoxReachTheDiskWhileItWaits) {
  Ticker form;
  form.Load();
  form.Show();
  bool onDiskWhileOpen = false;
  form.atThree = [&] {
    HKEY key = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Cleaned Before The Box", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    // Looks at the disk while the box is open, until the change is there or
    // well past the two seconds an idle write may wait.
    QTimer poll;
    int looks = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      onDiskWhileOpen = ReadHostFile(machine_.hiveFile("HKLM")).find("Cleaned Before The Box]") != std::string::npos;
      if (!onDiskWhileOpen && ++looks < 100) return;
      poll.stop();
      AnswerBox("OK");
    });
    poll.start(100);
    MsgBox("Clean the plug-ins too?");
    Unload(form);
  };
  renderer_.Run();
  EXPECT_TRUE(onDiskWhileOpen);
}

TEST_F(GuiTest, InputBoxesAndEscapeAnswerAsTheRuntimeExpects) {
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->textValue(), "C:\\TEMP");
    dialog->setTextValue("D:\\Work");
    dialog->accept();
  });
  EXPECT_EQ(InputBox("Folder to clean:", "Settings", "C:\\TEMP"), "D:\\Work");

  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  EXPECT_EQ(InputBox("Folder to clean:"), "");

  // Escape on a box means its Cancel button.
  QTimer::singleShot(0, [] { static_cast<QDialog*>(QApplication::activeModalWidget())->reject(); });
  EXPECT_EQ(MsgBox("Stop?", vbYesNoCancel), vbCancel);
  AnswerBox("Retry");
  EXPECT_EQ(MsgBox("Disk busy", vbRetryCancel | vbExclamation), vbRetry);
}

TEST_F(GuiTest, PickersBrowseTheMachineAndAnswerWindowsPaths) {
  QTimer::singleShot(0, [] {
    auto* dialog = static_cast<QDialog*>(QApplication::activeModalWidget());
    auto* tree = dialog->findChild<QTreeWidget*>();
    QStringList drives;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) drives << tree->topLevelItem(i)->text(0);
    EXPECT_TRUE(drives.contains("C:")) << drives.join(" ").toStdString();
    QTreeWidgetItem* drive = tree->topLevelItem(static_cast<int>(drives.indexOf("C:")));
    if (!drive) return dialog->reject();
    drive->setExpanded(true);  // read when first opened
    for (int i = 0; i < drive->childCount(); ++i)
      if (drive->child(i)->text(0).compare("WINDOWS", Qt::CaseInsensitive) == 0) {
        tree->setCurrentItem(drive->child(i));
        return dialog->accept();
      }
    ADD_FAILURE() << "no WINDOWS folder on C:";
    dialog->reject();
  });
  AskRequest request;
  request.kind = AskKind::FolderPicker;
  request.prompt = "Choose a folder";
  request.choices = {"OK", "Cancel"};
  request.defaultChoice = 1;
  AskAnswer answer = gui::AskWithDialog(request);
  EXPECT_EQ(answer.choice, "OK");
  EXPECT_TRUE(QString::fromStdString(answer.text).compare("C:\\WINDOWS", Qt::CaseInsensitive) == 0) << answer.text;

  QTimer::singleShot(0, [] { static_cast<QDialog*>(QApplication::activeModalWidget())->reject(); });
  request.kind = AskKind::FileDialog;
  request.prompt = "ShowOpen";
  EXPECT_EQ(gui::AskWithDialog(request).choice, "Cancel");
}

// The log's save dialog: titled for saving, listing only the filter's files,
// with a file-name field whose bare name goes into the folder chosen.
TEST_F(GuiTest, TheSaveDialogOffersTheFilterAndSavesANameInTheChosenFolder) {
  machine_.Put("Logs/old.log", "x");
  machine_.Put("Logs/notes.txt", "x");
  QStringList listed;
  QString title, types;
  QTimer::singleShot(0, [&] {
    auto* dialog = static_cast<QDialog*>(QApplication::activeModalWidget());
    title = dialog->windowTitle();
    auto* box = dialog->findChild<QComboBox*>();
    if (box) types = box->currentText();
    auto* tree = dialog->findChild<QTreeWidget*>();
    QTreeWidgetItem* logs = nullptr;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
      if (QTreeWidgetItem* drive = tree->topLevelItem(i); drive->text(0) == "C:") {
        drive->setExpanded(true);
        for (int j = 0; j < drive->childCount(); ++j)
          if (drive->child(j)->text(0).compare("Logs", Qt::CaseInsensitive) == 0) logs = drive->child(j);
      }
    if (!logs) return dialog->reject();
    logs->setExpanded(true);
    for (int j = 0; j < logs->childCount(); ++j) listed << logs->child(j)->text(0);
    tree->setCurrentItem(logs);
    QLineEdit* name = nullptr;
    for (auto* field : dialog->findChildren<QLineEdit*>())
      if (field->parent() == dialog) name = field;
    if (!name) return dialog->reject();
    name->setText("today");  // no extension is added
    dialog->accept();
  });
  AskRequest request;
  request.kind = AskKind::FileDialog;
  request.prompt = "ShowSave";
  request.filter = "Log file|*.log";
  request.choices = {"OK", "Cancel"};
  request.defaultChoice = 1;
  AskAnswer answer = gui::AskWithDialog(request);
  EXPECT_EQ(title, "Save As");
  EXPECT_EQ(types, "Log file");
  EXPECT_EQ(listed, QStringList{"old.log"});
  EXPECT_EQ(answer.choice, "OK");
  EXPECT_TRUE(QString::fromStdString(answer.text).compare("C:\\Logs\\today", Qt::CaseInsensitive) == 0)
      << answer.text;
}

// Sets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(RendererWanted, OnlyWithADisplayOrOffscreenAndNeverHeadless) {
  struct Case {
    const char *headless, *display, *wayland, *platform;
    bool wanted;
  };
  const Case cases[] = {
      {nullptr, ":0", nullptr, nullptr, true},
      {nullptr, nullptr, "wayland-0", nullptr, true},
      {nullptr, nullptr, nullptr, "offscreen", true},
      {nullptr, nullptr, nullptr, nullptr, false},
      {nullptr, "", nullptr, "xcb", false},
      {"1", ":0", nullptr, "offscreen", false},
      {"0", ":0", nullptr, nullptr, true},
  };
  for (const Case& c : cases) {
    ScopedEnv headless("TESSALY_HEADLESS", c.headless), display("DISPLAY", c.display),
        wayland("WAYLAND_DISPLAY", c.wayland), platform("QT_QPA_PLATFORM", c.platform);
    EXPECT_EQ(gui::RendererWanted(), c.wanted)
        << (c.headless ? c.headless : "-") << " " << (c.display ? c.display : "-") << " "
        << (c.platform ? c.platform : "-");
  }
}

}  // namespace
}  // namespace tessaly::testing
