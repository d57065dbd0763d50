// The screen during long operations: a run over a few thousand files with
// the real engine moves its bars and its log while it runs (sampled by a Qt
// timer, as the eye would, not from the program's handlers); a box asked
// during a run stands over the run's state; Refresh draws at once; the
// last state is drawn before the program ends.
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QTimer>
#include <functional>
#include <memory>
#include <set>
#include <thread>
#include <tuple>

#include "gui_fixture.h"
#include "mainwindow/Form1.h"
#include "mainwindow/run/engine_link.h"
#include "platform/base/process_end.h"

namespace tessaly::testing {
namespace {

using namespace std::chrono_literals;

const std::string kProfile = "Documents and Settings/User/";
// Three Windows items, each emptying a folder of its own.
struct FilledItem {
  int box;
  const char* folder;
};
const FilledItem kFilledItems[] = {
    {2, "Local Settings/Temp"},
    {4, "Local Settings/Application Data/Microsoft/CD Burning"},
    {5, "Templates"},
};
// A run over a few thousand files; the other cases need only some yields.
constexpr int kThousands = 1000, kSome = 200;

class LiveScreenTest : public GuiTest {
 protected:
  // The renderer's real dialogs stay installed; a box is answered OK once
  // Qt shows it, and what the log showed beneath it is kept.
  LiveScreenTest() {
    ConnectCleaningEngine();  // before the main window first loads
    answerer_.setInterval(20);
    QObject::connect(&answerer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      auto* log = LiveControl(logSerial_) ? Drawn<QPlainTextEdit>(*LiveControl(logSerial_)) : nullptr;
      logUnderBoxes_.push_back(log ? log->toPlainText() : QString());
      box->accept();
    });
    answerer_.start();
  }

  Form1Form& StartWithFilledFolders(int filesPerItem) {
    for (const auto& item : kFilledItems)
      for (int i = 0; i < filesPerItem; ++i)
        machine_.Put(kProfile + item.folder + "/trace" + std::to_string(i) + ".tmp", "x");
    Form1Form& form = Form1();
    for (int i = 0; i < form.chkWindows.Count(); ++i) form.chkWindows(i).Value(vbUnchecked);
    for (const auto& item : kFilledItems) form.chkWindows(item.box).Value(vbChecked);
    renderer_.Sync();
    logSerial_ = form.txtResult.serial();
    return form;
  }

  template <class W>
  W* Drawn(const Control& control) {
    return qobject_cast<W*>(Widget(control));
  }

  QTimer answerer_;
  std::uint64_t logSerial_ = 0;
  std::vector<QString> logUnderBoxes_;
};

TEST_F(LiveScreenTest, BarsAndLogMoveOnTheScreenWhileARunOverThousandsOfFilesGoesOn) {
  Form1Form& form = StartWithFilledFolders(kThousands);
  std::set<std::tuple<int, int>> bars;
  std::set<int> logLengths;
  int samples = 0;
  bool followedTheEnd = false;
  QTimer sampler;
  sampler.setInterval(10);
  QObject::connect(&sampler, &QTimer::timeout, [&] {
    auto* total = Drawn<QProgressBar>(form.prgTotal);
    auto* current = Drawn<QProgressBar>(form.prgCurrent);
    auto* log = Drawn<QPlainTextEdit>(form.txtResult);
    if (!total || !current || !log) return;
    ++samples;
    bars.insert({total->value(), current->value()});
    logLengths.insert(log->document()->characterCount());
    QScrollBar* scroll = log->verticalScrollBar();
    // The caret the engine leaves after each line is in view, far down.
    if (scroll->value() > 0 && log->viewport()->rect().contains(log->cursorRect().center())) followedTheEnd = true;

  });
  sampler.start();
  // The run stops for a moment every hundred yields, long enough for the
  // screen's next sync and the sampler's next tick, so that however fast
  // the build the sampler sees the run at points all along it.
  auto running = std::make_shared<bool>(true);
  auto pauseNow = std::make_shared<std::function<void()>>();
  *pauseNow = [running, pauseNow = std::weak_ptr(pauseNow)] {
    if (!*running) return;
    std::this_thread::sleep_for(40ms);
    if (auto again = pauseNow.lock()) AtYield(YieldCount() + 100, *again);
  };
  AtYield(YieldCount() + 100, *pauseNow);
  form.CmdClean_Click();  // the whole run, yielding once per file
  *running = false;
  sampler.stop();
  int filesLeft = 0;
  for (const auto& item : kFilledItems)
    filesLeft += static_cast<int>(
        std::distance(std::filesystem::directory_iterator(machine_.drive() / (kProfile + item.folder)), {}));
  ASSERT_EQ(filesLeft, 0) << "the run did not clean the fixture";
  RecordProperty("samples", samples);
  RecordProperty("bar_states", static_cast<int>(bars.size()));
  RecordProperty("log_states", static_cast<int>(logLengths.size()));
  EXPECT_GE(bars.size(), 3u) << "the progress bars stood still";
  EXPECT_GE(logLengths.size(), 10u) << "the log stood still";
  EXPECT_TRUE(followedTheEnd) << "the log never showed its newest lines";
}

TEST_F(LiveScreenTest, ABoxAskedDuringARunStandsOverTheRunsCurrentState) {
  Form1Form& form = StartWithFilledFolders(kSome);
  std::string modelAtTheBox;
  AtYield(YieldCount() + 300, [&] {
    modelAtTheBox = form.txtResult.Text();
    MsgBox("Go on?");
  });
  form.CmdClean_Click();
  ASSERT_EQ(logUnderBoxes_.size(), 1u);
  ASSERT_NE(modelAtTheBox.find("Deleting file"), std::string::npos);
  EXPECT_EQ(logUnderBoxes_[0], QString::fromStdString(modelAtTheBox).replace("\r\n", "\n"));
}

TEST_F(LiveScreenTest, RefreshDrawsTheWindowAtOnceAndDispatchesNothing) {
  Form1Form& form = Form1();
  renderer_.Sync();
  bool clicked = false;
  form.cmdSaveLog.Click.Handle([&] { clicked = true; });
  QueueClick(form.cmdSaveLog);
  form.lblcurrentName.Caption("Working on C:\\WINDOWS");
  form.Refresh();
  EXPECT_EQ(Drawn<QLabel>(form.lblcurrentName)->text(), "Working on C:\\WINDOWS");
  EXPECT_FALSE(clicked);
  EXPECT_EQ(QueuedEventCount(), 1u);
}

// Records the caption a label had each time Qt painted it.
class PaintWatch : public QObject {
 public:
  explicit PaintWatch(QLabel* label) : label_(label) { label->installEventFilter(this); }
  std::vector<QString> painted;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted.push_back(label_->text());
    return false;
  }

 private:
  QLabel* label_;
};

TEST_F(LiveScreenTest, ARunThatEndsTheProgramLeavesItsResultDrawn) {
  Form1Form& form = StartWithFilledFolders(kSome);
  form.chkCloseAfterWash.Value(vbChecked);
  renderer_.Sync();
  PaintWatch watch(Drawn<QLabel>(form.lblcurrentName));
  QueueClick(form.CmdClean);
  std::optional<UINT> code = platform::RunUntilProcessEnd([&] { renderer_.Run(); });
  ASSERT_TRUE(code.has_value());
  EXPECT_TRUE(std::find(watch.painted.begin(), watch.painted.end(), "Finished!!") != watch.painted.end());
}

}  // namespace
}  // namespace tessaly::testing
