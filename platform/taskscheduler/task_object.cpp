#include "platform/taskscheduler/task_object.h"

#include <algorithm>
#include <cstring>

#include "platform/base/journal.h"
#include "platform/machine/machine.h"
#include "platform/machine/sysinfo.h"
#include "platform/taskscheduler/task_folder.h"
#include "platform/taskscheduler/property_sheet.h"
#include "platform/taskscheduler/trigger_rules.h"

namespace platform::taskscheduler {
namespace {

using com::AnsiFromWide;
using com::TaskMemString;
using com::WideFromAnsi;
using com::WideOf;

LPWSTR TaskMemAnsi(const std::string& text) { return TaskMemString(WideFromAnsi(text)); }

LocalMinutes NowMinutes() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return MinutesOf(now);
}

// One trigger of a task, handed out by CreateTrigger and GetTrigger. It
// keeps its own trigger when others are deleted; once its own is deleted
// it reports SCHED_E_TRIGGER_NOT_FOUND.
class TaskTrigger final : public com::ComObject<ITaskTrigger> {
 public:
  TaskTrigger(Task& task, Task::Slot slot) : task_(com::ComPtr<Task>::Share(&task)), slot_(std::move(slot)) {}

  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_ITaskTrigger) return Give(static_cast<ITaskTrigger*>(this), object);
    return E_NOINTERFACE;
  }

  HRESULT SetTrigger(const TASK_TRIGGER* trigger) override {
    if (!trigger) return E_INVALIDARG;
    if (!task_->Holds(slot_)) return SCHED_E_TRIGGER_NOT_FOUND;
    if (!IsValidTrigger(*trigger)) return E_INVALIDARG;
    std::memcpy(slot_->data(), trigger, slot_->size());
    task_->MarkDirty();
    return S_OK;
  }

  HRESULT GetTrigger(TASK_TRIGGER* trigger) override {
    if (!trigger || trigger->cbTriggerSize != sizeof(TASK_TRIGGER)) return E_INVALIDARG;
    if (!task_->Holds(slot_)) return SCHED_E_TRIGGER_NOT_FOUND;
    std::memcpy(trigger, slot_->data(), slot_->size());
    return S_OK;
  }

  HRESULT GetTriggerString(LPWSTR* text) override {
    if (!text) return E_INVALIDARG;
    if (!task_->Holds(slot_)) return SCHED_E_TRIGGER_NOT_FOUND;
    *text = TaskMemAnsi(TriggerText(TriggerFromBytes(*slot_)));
    return *text ? S_OK : E_OUTOFMEMORY;
  }

 private:
  com::ComPtr<Task> task_;
  Task::Slot slot_;
};

}  // namespace

Task::Task(std::string fileName, TaskRecord record, bool dirty)
    : fileName_(std::move(fileName)), ownPath_(TaskFilePath(fileName_)), dirty_(dirty) {
  Adopt(std::move(record));
}

void Task::Adopt(TaskRecord record) {
  record_ = std::move(record);
  triggers_.clear();
  for (const auto& bytes : record_.triggers) triggers_.push_back(std::make_shared<TriggerBytes>(bytes));
  record_.triggers.clear();
}

HRESULT Task::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IID_IUnknown || iid == IID_ITask || iid == IID_IScheduledWorkItem)
    return Give(static_cast<ITask*>(this), object);
  if (iid == IID_IPersistFile || iid == IID_IPersist) return Give(static_cast<IPersistFile*>(this), object);
  return E_NOINTERFACE;
}

bool Task::Holds(const Slot& slot) const { return std::find(triggers_.begin(), triggers_.end(), slot) != triggers_.end(); }

TaskRecord Task::Snapshot() const {
  TaskRecord copy = record_;
  for (const auto& slot : triggers_) copy.triggers.push_back(*slot);
  return copy;
}

// Triggers

HRESULT Task::CreateTrigger(WORD* newIndex, ITaskTrigger** trigger) {
  if (!newIndex || !trigger) return E_INVALIDARG;
  if (triggers_.size() >= 0xFFFF) return E_OUTOFMEMORY;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  triggers_.push_back(std::make_shared<TriggerBytes>(BytesFromTrigger(DefaultTrigger(now))));
  dirty_ = true;
  *newIndex = static_cast<WORD>(triggers_.size() - 1);
  *trigger = new TaskTrigger(*this, triggers_.back());
  return S_OK;
}

HRESULT Task::DeleteTrigger(WORD index) {
  if (index >= triggers_.size()) return SCHED_E_TRIGGER_NOT_FOUND;
  triggers_.erase(triggers_.begin() + index);
  dirty_ = true;
  return S_OK;
}

HRESULT Task::GetTriggerCount(WORD* count) {
  if (!count) return E_INVALIDARG;
  *count = static_cast<WORD>(triggers_.size());
  return S_OK;
}

HRESULT Task::GetTrigger(WORD index, ITaskTrigger** trigger) {
  if (!trigger) return E_INVALIDARG;
  *trigger = nullptr;
  if (index >= triggers_.size()) return SCHED_E_TRIGGER_NOT_FOUND;
  *trigger = new TaskTrigger(*this, triggers_[index]);
  return S_OK;
}

HRESULT Task::GetTriggerString(WORD index, LPWSTR* text) {
  if (!text) return E_INVALIDARG;
  *text = nullptr;
  if (index >= triggers_.size()) return SCHED_E_TRIGGER_NOT_FOUND;
  *text = TaskMemAnsi(TriggerText(TriggerFromBytes(*triggers_[index])));
  return *text ? S_OK : E_OUTOFMEMORY;
}

// Run state

HRESULT Task::GetNextRunTime(SYSTEMTIME* time) {
  if (!time) return E_INVALIDARG;
  *time = SYSTEMTIME{};
  if (record_.flags & TASK_FLAG_DISABLED) return SCHED_S_TASK_DISABLED;
  LocalMinutes now = NowMinutes();
  std::optional<LocalMinutes> earliest;
  bool events = false;
  for (const auto& slot : triggers_) {
    TASK_TRIGGER t = TriggerFromBytes(*slot);
    if (IsEventTrigger(t) && !(t.rgFlags & TASK_TRIGGER_FLAG_DISABLED)) events = true;
    if (auto start = NextStart(t, now); start && (!earliest || *start < *earliest)) earliest = start;
  }
  if (earliest) {
    *time = SystemTimeOf(*earliest);
    return S_OK;
  }
  return events ? SCHED_S_EVENT_TRIGGER : SCHED_S_TASK_NO_VALID_TRIGGERS;
}

HRESULT Task::GetStatus(HRESULT* status) {
  if (!status) return E_INVALIDARG;
  if (record_.flags & TASK_FLAG_DISABLED) {
    *status = SCHED_S_TASK_DISABLED;
  } else if (triggers_.empty()) {
    *status = SCHED_S_TASK_NOT_SCHEDULED;
  } else {
    SYSTEMTIME next;
    HRESULT hr = GetNextRunTime(&next);
    if (hr == SCHED_S_TASK_NO_VALID_TRIGGERS) *status = SCHED_S_TASK_NO_MORE_RUNS;
    else if (!record_.lastRun) *status = SCHED_S_TASK_HAS_NOT_RUN;
    else *status = SCHED_S_TASK_READY;
  }
  return S_OK;
}

HRESULT Task::GetMostRecentRunTime(SYSTEMTIME* time) {
  if (!time) return E_INVALIDARG;
  if (!record_.lastRun) {
    *time = SYSTEMTIME{};
    return SCHED_S_TASK_HAS_NOT_RUN;
  }
  *time = *record_.lastRun;
  return S_OK;
}

HRESULT Task::GetExitCode(DWORD* exitCode) {
  if (!exitCode) return E_INVALIDARG;
  *exitCode = record_.lastRun ? record_.exitCode : 0;
  return record_.lastRun ? S_OK : SCHED_S_TASK_HAS_NOT_RUN;
}

HRESULT Task::Run() {
  if (!CurrentMachine()) return SCHED_E_SERVICE_NOT_RUNNING;
  TheJournal().Record("Task.Run", {fileName_});
  SYSTEMTIME now{};
  GetLocalTime(&now);
  now.wMilliseconds = 0;
  record_.lastRun = now;
  record_.exitCode = 0;
  // The service notes the run in the stored task file too.
  std::string content;
  if (ReadTaskFile(ownPath_, content) == ERROR_SUCCESS) {
    if (auto stored = ParseTaskFile(content)) {
      stored->lastRun = now;
      stored->exitCode = 0;
      WriteTaskFile(ownPath_, FormatTaskFile(*stored));
    }
  }
  return S_OK;
}

HRESULT Task::Terminate() { return SCHED_E_TASK_NOT_RUNNING; }

HRESULT Task::EditWorkItem(HWND, DWORD) {
  Machine* machine = CurrentMachine();
  if (!machine) return SCHED_E_SERVICE_NOT_RUNNING;
  TheJournal().Record("Task.EditWorkItem", {fileName_});
  if (const auto& sheet = machine->area<TaskPropertySheet>().script()) sheet(*this);
  return S_OK;
}

// Settings

HRESULT Task::SetText(std::string TaskRecord::*field, LPCWSTR value) {
  record_.*field = AnsiFromWide(WideOf(value));
  dirty_ = true;
  return S_OK;
}

HRESULT Task::GetText(const std::string TaskRecord::*field, LPWSTR* value) const {
  if (!value) return E_INVALIDARG;
  *value = TaskMemAnsi(record_.*field);
  return *value ? S_OK : E_OUTOFMEMORY;
}

HRESULT Task::SetComment(LPCWSTR v) { return SetText(&TaskRecord::comment, v); }
HRESULT Task::GetComment(LPWSTR* v) { return GetText(&TaskRecord::comment, v); }
HRESULT Task::SetCreator(LPCWSTR v) { return SetText(&TaskRecord::creator, v); }
HRESULT Task::GetCreator(LPWSTR* v) { return GetText(&TaskRecord::creator, v); }
HRESULT Task::SetApplicationName(LPCWSTR v) { return SetText(&TaskRecord::applicationName, v); }
HRESULT Task::GetApplicationName(LPWSTR* v) { return GetText(&TaskRecord::applicationName, v); }
HRESULT Task::SetParameters(LPCWSTR v) { return SetText(&TaskRecord::parameters, v); }
HRESULT Task::GetParameters(LPWSTR* v) { return GetText(&TaskRecord::parameters, v); }
HRESULT Task::SetWorkingDirectory(LPCWSTR v) { return SetText(&TaskRecord::workingDirectory, v); }
HRESULT Task::GetWorkingDirectory(LPWSTR* v) { return GetText(&TaskRecord::workingDirectory, v); }

HRESULT Task::SetIdleWait(WORD idleMinutes, WORD deadlineMinutes) {
  record_.idleMinutes = idleMinutes;
  record_.deadlineMinutes = deadlineMinutes;
  dirty_ = true;
  return S_OK;
}

HRESULT Task::GetIdleWait(WORD* idleMinutes, WORD* deadlineMinutes) {
  if (!idleMinutes || !deadlineMinutes) return E_INVALIDARG;
  *idleMinutes = record_.idleMinutes;
  *deadlineMinutes = record_.deadlineMinutes;
  return S_OK;
}

HRESULT Task::SetErrorRetryCount(WORD) { return E_NOTIMPL; }
HRESULT Task::GetErrorRetryCount(WORD*) { return E_NOTIMPL; }
HRESULT Task::SetErrorRetryInterval(WORD) { return E_NOTIMPL; }
HRESULT Task::GetErrorRetryInterval(WORD*) { return E_NOTIMPL; }

HRESULT Task::SetFlags(DWORD flags) {
  record_.flags = flags;
  dirty_ = true;
  return S_OK;
}

HRESULT Task::GetFlags(DWORD* flags) {
  if (!flags) return E_INVALIDARG;
  *flags = record_.flags;
  return S_OK;
}

// Accounts are not modelled: the call is taken and nothing is kept.
HRESULT Task::SetAccountInformation(LPCWSTR, LPCWSTR) { return S_OK; }
HRESULT Task::GetAccountInformation(LPWSTR* account) {
  if (!account) return E_INVALIDARG;
  *account = TaskMemString(u"");
  return *account ? S_OK : E_OUTOFMEMORY;
}

HRESULT Task::SetPriority(DWORD priority) {
  if (priority != NORMAL_PRIORITY_CLASS && priority != IDLE_PRIORITY_CLASS && priority != HIGH_PRIORITY_CLASS &&
      priority != REALTIME_PRIORITY_CLASS)
    return E_INVALIDARG;
  record_.priority = priority;
  dirty_ = true;
  return S_OK;
}

HRESULT Task::GetPriority(DWORD* priority) {
  if (!priority) return E_INVALIDARG;
  *priority = record_.priority;
  return S_OK;
}

HRESULT Task::SetMaxRunTime(DWORD milliseconds) {
  record_.maxRunTime = milliseconds;
  dirty_ = true;
  return S_OK;
}

HRESULT Task::GetMaxRunTime(DWORD* milliseconds) {
  if (!milliseconds) return E_INVALIDARG;
  *milliseconds = record_.maxRunTime;
  return S_OK;
}

// Persistence

HRESULT Task::GetClassID(CLSID* clsid) {
  if (!clsid) return E_INVALIDARG;
  *clsid = CLSID_CTask;
  return S_OK;
}

HRESULT Task::IsDirty() { return dirty_ ? S_OK : S_FALSE; }

HRESULT Task::Load(LPCOLESTR fileName, DWORD) {
  std::string path = fileName ? AnsiFromWide(WideOf(fileName)) : ownPath_;
  std::string content;
  if (DWORD rc = ReadTaskFile(path, content); rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
  std::optional<TaskRecord> loaded = ParseTaskFile(content);
  if (!loaded) return SCHED_E_UNKNOWN_OBJECT_VERSION;
  Adopt(std::move(*loaded));
  dirty_ = false;
  return S_OK;
}

HRESULT Task::Save(LPCOLESTR fileName, BOOL remember) {
  std::string path = fileName && *fileName ? AnsiFromWide(WideOf(fileName)) : ownPath_;
  if (DWORD rc = WriteTaskFile(path, FormatTaskFile(Snapshot())); rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
  if (path == ownPath_) dirty_ = false;
  else if (remember) {
    ownPath_ = path;
    dirty_ = false;
  }
  return S_OK;
}

HRESULT Task::SaveCompleted(LPCOLESTR) { return S_OK; }

HRESULT Task::GetCurFile(LPOLESTR* fileName) {
  if (!fileName) return E_INVALIDARG;
  *fileName = TaskMemAnsi(ownPath_);
  return *fileName ? S_OK : E_OUTOFMEMORY;
}

}  // namespace platform::taskscheduler
