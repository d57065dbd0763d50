#pragma once
// The message loop: queued user events, the yield script, timers on the
// machine's clock, DoEvents, and the main loop that runs until the last
// form unloads.
#include <cstdint>
#include <functional>

#include "platform/forms/window_types.h"

namespace platform::forms {

class Control;
class Timer;

// Queues a user event (a click, typed text, a tray message, a movie command
// ...) for the next loop turn. The action runs as a handler run by the
// message loop: a runtime error escaping it ends the program.
void QueueEvent(std::function<void()> action);
// Queues a user's click on `control` (item: the list entry, -1 none). A
// control that is gone or disabled by then ignores it.
void QueueClick(Control& control, int item = -1);
// The number of events waiting.
std::size_t QueuedEventCount();

// Runs `action` at the start of the `yield`-th DoEvents (counting from 1).
void AtYield(std::uint64_t yield, std::function<void()> action);
// DoEvents calls so far.
std::uint64_t YieldCount();

// One loop turn: due yield actions, the events queued before the turn, then
// each enabled due timer once. Returns the number of loaded forms.
int DoEvents();

// Called at the end of every DoEvents turn, nested turns included: a
// renderer brings its windows up to date there and collects the user's
// input (as queued events for the next turn). One observer; empty = none.
// It belongs to whoever installed it, so a runtime reset keeps it.
void SetTurnObserver(std::function<void()> observer);
// Called each time a loop goes idle, before it waits (see RunIdleWork):
// work that may wait for a quiet moment, such as writing out buffered
// output. One observer; empty = none; a runtime reset keeps it.
void SetIdleObserver(std::function<void()> observer);

// Runs turns until no event is queued and no timer is due (at most
// `maxTurns`); returns the number of turns that did something.
int RunUntilIdle(int maxTurns = 100000);
// The main loop: runs until no form is loaded. When nothing is queued it
// writes the machine's pending changes if their idle write is due, and
// waits on the machine's clock for the next due timer; when nothing can
// ever happen again (no queued event, no enabled timer) it returns, leaving
// a write that is not due yet to whoever waits next.
void RunMessageLoop();
// What a loop does each time it goes idle: the idle observer, then the
// bound machine's write when due (Machine::WriteWhenIdle). The main loop
// runs it itself; loops that wait elsewhere (the renderer's, the resident
// one) call it.
void RunIdleWork();

// Runs a handler as the message loop does: a runtime error escaping it
// shows "Run-time error 'N':" and ends the process with exit code 1.
void RunAsUserEvent(const std::function<void()>& handler);

// The End statement: ends the process with exit code 0.
[[noreturn]] void End();

// The clock the runtime uses: the bound machine's, else the host's.
std::uint64_t RuntimeTickMs();

namespace runtime {
void RegisterTimer(Timer& timer);
void UnregisterTimer(Timer& timer);
void ResetEventLoop();
}  // namespace runtime

}  // namespace platform::forms
