#pragma once
// What the service knows about a trigger record: whether SetTrigger takes
// it, how the task dialog words it, and when it next fires.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/taskscheduler/mstask.h"

namespace platform::taskscheduler {

bool IsValidTrigger(const TASK_TRIGGER& trigger);

// en-US wording, e.g. "At 2:35 PM on 12/31/2005".
std::string TriggerText(const TASK_TRIGGER& trigger);

// Local time as minutes since 1970-01-01.
using LocalMinutes = std::int64_t;

bool IsEventTrigger(const TASK_TRIGGER& trigger);
// The earliest start of an enabled time trigger at or after `now`; empty
// for an event trigger, a disabled one, or one that never fires again.
std::optional<LocalMinutes> NextStart(const TASK_TRIGGER& trigger, LocalMinutes now);

// The defaults of a new trigger: begins today at the current hour and
// minute, daily, every day.
TASK_TRIGGER DefaultTrigger(const SYSTEMTIME& now);

LocalMinutes MinutesOf(const SYSTEMTIME& time);
SYSTEMTIME SystemTimeOf(LocalMinutes minutes);

}  // namespace platform::taskscheduler
