#include "forms_fixture.h"

namespace tessaly::testing {
namespace {

using EventLoop = FormsTest;

TEST_F(EventLoop, DoEventsRunsQueuedClicksInOrderAndLeavesNewOnesForTheNextTurn) {
  TestForm& f = frmTest();
  f.onGo = [&f] { QueueClick(f.chkBleach); };
  QueueClick(f.cmdGo);
  QueueClick(f.chkIE(5));
  f.log.clear();
  EXPECT_EQ(DoEvents(), 1);
  EXPECT_EQ(f.log, (std::vector<std::string>{"cmdGo_Click", "chkIE_Click 5"}));
  EXPECT_EQ(QueuedEventCount(), 1u);
  DoEvents();
  EXPECT_EQ(f.log.back(), "chkBleach_Click");
}

TEST_F(EventLoop, TheTurnObserverSeesEveryTurnAfterItsWorkNestedTurnsIncluded) {
  TestForm& f = frmTest();
  f.tmrPoll.Interval(100);
  f.tmrPoll.Enabled(true);
  f.log.clear();
  std::vector<std::string> seen;
  SetTurnObserver([&] { seen.push_back(std::to_string(f.log.size())); });
  f.onGo = [this] {  // a handler that yields, then lets the timer come due
    DoEvents();
    machine_.clock().Advance(100);
  };
  QueueClick(f.cmdGo);
  DoEvents();
  // The nested turn ended first (the click had run, the timer not yet);
  // the outer one after its timer.
  EXPECT_EQ(seen, (std::vector<std::string>{"1", "2"}));
  // Input the observer queues waits for the next turn.
  SetTurnObserver([&] {
    if (seen.size() == 2) QueueClick(f.chkBleach);
    seen.push_back("turn");
  });
  DoEvents();
  EXPECT_EQ(f.log.back(), "tmrPoll_Timer");
  DoEvents();
  EXPECT_EQ(f.log.back(), "chkBleach_Click");
  SetTurnObserver(nullptr);
  DoEvents();
  EXPECT_EQ(seen.size(), 4u);
}

TEST_F(EventLoop, RefreshAndSleepDispatchNothing) {
  TestForm& f = frmTest();
  QueueClick(f.cmdGo);
  f.Refresh();
  machine_.clock().Sleep(1000);
  EXPECT_EQ(QueuedEventCount(), 1u);
}

TEST_F(EventLoop, ADueTimerFiresOnceHoweverManyIntervalsPassed) {
  TestForm& f = frmTest();
  f.tmrPoll.Interval(100);
  f.log.clear();
  machine_.clock().Advance(99);
  DoEvents();
  EXPECT_TRUE(f.log.empty());
  machine_.clock().Advance(450);
  RunUntilIdle();
  EXPECT_EQ(f.log, std::vector<std::string>{"tmrPoll_Timer"});
  machine_.clock().Advance(99);
  DoEvents();
  EXPECT_EQ(f.log.size(), 1u);  // next firing one interval after this one
  machine_.clock().Advance(1);
  DoEvents();
  EXPECT_EQ(f.log.size(), 2u);
}

TEST_F(EventLoop, TimersNeverReEnterButClickHandlersMay) {
  TestForm& f = frmTest();
  f.tmrPoll.Interval(10);
  int timerDepth = 0, deepest = 0;
  f.onTimer = [&] {
    ++timerDepth;
    deepest = std::max(deepest, timerDepth);
    machine_.clock().Advance(50);
    DoEvents();
    --timerDepth;
  };
  machine_.clock().Advance(10);
  DoEvents();
  EXPECT_EQ(deepest, 1);

  int clicks = 0;
  f.onGo = [&] {
    if (++clicks == 1) {
      QueueClick(f.cmdGo);
      DoEvents();
    }
  };
  f.tmrPoll.Enabled(false);
  QueueClick(f.cmdGo);
  DoEvents();
  EXPECT_EQ(clicks, 2);
}

TEST_F(EventLoop, EnabledAndIntervalRestartTheCount) {
  TestForm& f = frmTest();
  f.tmrPoll.Interval(100);
  machine_.clock().Advance(90);
  f.tmrPoll.Enabled(true);
  machine_.clock().Advance(90);
  f.log.clear();
  DoEvents();
  EXPECT_TRUE(f.log.empty());
  machine_.clock().Advance(10);
  DoEvents();
  EXPECT_EQ(f.log, std::vector<std::string>{"tmrPoll_Timer"});
  EXPECT_THROW(f.tmrPoll.Interval(65536), platform::RuntimeError);
}

TEST_F(EventLoop, YieldScriptActsAtTheNthDoEvents) {
  TestForm& f = frmTest();
  bool stop = false;
  AtYield(3, [&] { stop = true; });
  AtYield(2, [&f] { QueueClick(f.cmdGo); });
  int walked = 0;
  while (!stop && walked < 10) {
    ++walked;
    DoEvents();
  }
  EXPECT_EQ(walked, 3);
  EXPECT_EQ(YieldCount(), 3u);
  EXPECT_EQ(f.log.back(), "cmdGo_Click");
}

TEST_F(EventLoop, AnErrorEscapingAQueuedHandlerEndsTheProgramWithABox) {
  TestForm& f = frmTest();
  f.onGo = [] { platform::RaiseRuntimeError(9); };
  QueueClick(f.cmdGo);
  auto code = platform::RunUntilProcessEnd([] { RunUntilIdle(); });
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 1u);
  ASSERT_EQ(Answers().records().size(), 1u);
  EXPECT_EQ(Answers().records()[0].request.prompt, "Run-time error '9':\r\n\r\nSubscript out of range");
  EXPECT_EQ(Answers().records()[0].request.title, "Tessaly");
}

TEST_F(EventLoop, ErrorsFromCodeChangesReachTheCode) {
  TestForm& f = frmTest();
  f.chkBleach.Click.Handle([] { platform::RaiseRuntimeError(5); });
  EXPECT_THROW(f.chkBleach.Value(1), platform::RuntimeError);
}

TEST_F(EventLoop, MainLoopRunsUntilTheLastFormUnloads) {
  TestForm& f = frmTest();
  f.tmrPoll.Interval(1000);
  int ticks = 0;
  f.onTimer = [&] {
    if (++ticks == 3) PostMessageA(frmTest().hWnd(), WM_CLOSE, 0, 0);
  };
  RunMessageLoop();
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(IsLoaded<TestForm>());
  EXPECT_EQ(machine_.clock().TickMs(), 3000u);  // the loop waited on the virtual clock
}

TEST_F(EventLoop, EndAndExitProcessAreObservedWithTheirCodes) {
  frmTest();
  EXPECT_EQ(platform::RunUntilProcessEnd([] { End(); }), std::optional<UINT>(0));
  EXPECT_EQ(platform::RunUntilProcessEnd([] { ExitProcess(3); }), std::optional<UINT>(3));
  EXPECT_EQ(platform::RunUntilProcessEnd([] {}), std::nullopt);
  OnErrorResumeNext guard;  // the guard lets process end through
  EXPECT_THROW(guard([] { End(); }), platform::ProcessEnd);
}

}  // namespace
}  // namespace tessaly::testing
