#include "platform/forms/event_loop.h"

#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/base/journal.h"
#include "platform/base/process_end.h"
#include "platform/base/runtime_error.h"
#include "platform/forms/control.h"
#include "platform/forms/controls/timer.h"
#include "platform/forms/form.h"
#include "platform/forms/message_box.h"
#include "platform/forms/runtime_state.h"
#include "platform/machine/machine.h"

namespace platform::forms {
namespace {

struct LoopState {
  std::deque<std::function<void()>> queue;
  std::multimap<std::uint64_t, std::function<void()>> yieldScript;
  std::uint64_t yields = 0;
  std::vector<Timer*> timers;  // creation order
  std::function<void()> turnObserver;
  std::function<void()> idleObserver;
};

LoopState& L() {
  static LoopState* state = new LoopState;
  return *state;
}

struct DispatchScope {
  DispatchScope() { runtime::EnterDispatch(); }
  ~DispatchScope() { runtime::LeaveDispatch(); }
};

void RunDueYieldActions() {
  if (L().yieldScript.empty()) return;
  auto [first, last] = L().yieldScript.equal_range(L().yields);
  std::vector<std::function<void()>> due;
  for (auto it = first; it != last; ++it) due.push_back(std::move(it->second));
  L().yieldScript.erase(first, last);
  for (auto& action : due) action();
}

bool AnyTimerDue() {
  std::uint64_t now = RuntimeTickMs();
  return std::any_of(L().timers.begin(), L().timers.end(), [now](Timer* t) { return t->Due(now); });
}

void FireDueTimers() {
  // Most turns of a long operation find no timer due: only a turn that
  // fires one copies the list (a timer's handler may unload others).
  if (L().timers.empty() || !AnyTimerDue()) return;
  std::vector<Timer*> timers = L().timers;
  for (Timer* timer : timers) {
    auto& live = L().timers;
    if (std::find(live.begin(), live.end(), timer) == live.end()) continue;
    std::uint64_t now = RuntimeTickMs();
    if (timer->Due(now)) timer->Fire(now);
  }
}

std::optional<std::uint64_t> NextTimerDue() {
  std::optional<std::uint64_t> next;
  for (Timer* timer : L().timers)
    if (auto due = timer->NextDue(); due && (!next || *due < *next)) next = due;
  return next;
}

}  // namespace

std::uint64_t RuntimeTickMs() {
  if (Machine* machine = CurrentMachine()) return machine->clock().TickMs();
  static HostClock* host = new HostClock;
  return host->TickMs();
}

void QueueEvent(std::function<void()> action) { L().queue.push_back(std::move(action)); }

void QueueClick(Control& control, int item) {
  std::uint64_t serial = control.serial();
  QueueEvent([serial, item] {
    if (Control* live = LiveControl(serial)) live->UserClick(item);
  });
}

std::size_t QueuedEventCount() { return L().queue.size(); }

void AtYield(std::uint64_t yield, std::function<void()> action) {
  L().yieldScript.emplace(yield, std::move(action));
}

std::uint64_t YieldCount() { return L().yields; }

void SetTurnObserver(std::function<void()> observer) { L().turnObserver = std::move(observer); }

void SetIdleObserver(std::function<void()> observer) { L().idleObserver = std::move(observer); }

int DoEvents() {
  LoopState& loop = L();
  ++loop.yields;
  // Long operations yield once per item (a cipher once per 8 bytes): a turn
  // with nothing to do must cost next to nothing, and runs nothing that
  // would see it as a dispatch.
  if (loop.yieldScript.empty() && loop.queue.empty() && loop.timers.empty() && !loop.turnObserver)
    return static_cast<int>(runtime::LoadedForms().size());
  DispatchScope scope;
  RunDueYieldActions();
  if (!loop.queue.empty()) {
    std::deque<std::function<void()>> batch;
    batch.swap(loop.queue);
    for (auto& action : batch) RunAsUserEvent(action);
  }
  FireDueTimers();
  if (loop.turnObserver) loop.turnObserver();
  return static_cast<int>(runtime::LoadedForms().size());
}

int RunUntilIdle(int maxTurns) {
  int busyTurns = 0;
  while (busyTurns < maxTurns && (!L().queue.empty() || AnyTimerDue())) {
    DoEvents();
    ++busyTurns;
  }
  runtime::FreeUnloadedForms();
  return busyTurns;
}

void RunIdleWork() {
  if (L().idleObserver) L().idleObserver();
  if (Machine* machine = CurrentMachine()) machine->WriteWhenIdle();
}

void RunMessageLoop() {
  while (!runtime::LoadedForms().empty()) {
    if (!L().queue.empty() || AnyTimerDue()) {
      DoEvents();
      runtime::FreeUnloadedForms();
      continue;
    }
    RunIdleWork();
    auto next = NextTimerDue();
    if (!next) return;
    // A pending write due before the next timer wakes the loop for itself.
    if (Machine* machine = CurrentMachine())
      if (auto write = machine->NextIdleWrite()) next = std::min(*next, *write);
    std::uint64_t now = RuntimeTickMs();
    if (*next > now) {
      std::uint64_t wait = std::min<std::uint64_t>(*next - now, 0xFFFFFFFFu);
      if (Machine* machine = CurrentMachine()) machine->clock().Sleep(static_cast<std::uint32_t>(wait));
      else HostClock().Sleep(static_cast<std::uint32_t>(wait));
    }
  }
  runtime::FreeUnloadedForms();
}

void RunAsUserEvent(const std::function<void()>& handler) {
  std::optional<RuntimeError> escaped;
  {
    DispatchScope scope;
    try {
      handler();
    } catch (const RuntimeError& error) {
      escaped = error;
    }
  }
  if (!escaped) return;
  MsgBox("Run-time error '" + std::to_string(escaped->number()) + "':\r\n\r\n" + escaped->description(),
         vbCritical, "");
  ExitProcess(1);
}

void End() {
  TheJournal().Record("End");
  throw ProcessEnd(0);
}

namespace runtime {

void RegisterTimer(Timer& timer) { L().timers.push_back(&timer); }

void UnregisterTimer(Timer& timer) {
  auto& timers = L().timers;
  timers.erase(std::remove(timers.begin(), timers.end(), &timer), timers.end());
}

void ResetEventLoop() {
  L().queue.clear();
  L().yieldScript.clear();
  L().yields = 0;
}

}  // namespace runtime
}  // namespace platform::forms
