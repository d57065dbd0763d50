#pragma once
// One task as the service keeps it, and its task file: ANSI "key=value"
// lines under [Task], CR LF, triggers as 96 hex digits each.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/taskscheduler/mstask.h"

namespace platform::taskscheduler {

using TriggerBytes = std::array<std::uint8_t, sizeof(TASK_TRIGGER)>;

struct TaskRecord {
  std::string applicationName;
  std::string parameters;
  std::string workingDirectory;
  std::string comment;
  std::string creator;
  DWORD flags = 0;
  DWORD priority = NORMAL_PRIORITY_CLASS;
  DWORD maxRunTime = 259200000;
  WORD idleMinutes = 10;
  WORD deadlineMinutes = 60;
  std::optional<SYSTEMTIME> lastRun;  // local time; empty = never run
  DWORD exitCode = 0;
  std::vector<TriggerBytes> triggers;
};

std::string FormatTaskFile(const TaskRecord& task);
// Empty when the text is no task file: no [Task] header, an unknown key, a
// bad number, time or trigger line, or trigger numbers with gaps.
std::optional<TaskRecord> ParseTaskFile(const std::string& text);

TASK_TRIGGER TriggerFromBytes(const TriggerBytes& bytes);
TriggerBytes BytesFromTrigger(const TASK_TRIGGER& trigger);

}  // namespace platform::taskscheduler
