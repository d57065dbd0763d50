#pragma once
// A task of the service: the object behind ITask, IScheduledWorkItem and
// IPersistFile, and the trigger objects it hands out.
#include <memory>
#include <string>
#include <vector>

#include "platform/com/com_object.h"
#include "platform/taskscheduler/mstask.h"
#include "platform/taskscheduler/task_record.h"

namespace platform::taskscheduler {

class Task final : public com::ComObject<ITask, IPersistFile> {
 public:
  // `fileName` is "<name>.job"; the task's own file is in the Tasks folder.
  Task(std::string fileName, TaskRecord record, bool dirty);

  HRESULT QueryInterface(REFIID iid, void** object) override;

  // IScheduledWorkItem
  HRESULT CreateTrigger(WORD* newIndex, ITaskTrigger** trigger) override;
  HRESULT DeleteTrigger(WORD index) override;
  HRESULT GetTriggerCount(WORD* count) override;
  HRESULT GetTrigger(WORD index, ITaskTrigger** trigger) override;
  HRESULT GetTriggerString(WORD index, LPWSTR* text) override;
  HRESULT GetNextRunTime(SYSTEMTIME* time) override;
  HRESULT SetIdleWait(WORD idleMinutes, WORD deadlineMinutes) override;
  HRESULT GetIdleWait(WORD* idleMinutes, WORD* deadlineMinutes) override;
  HRESULT Run() override;
  HRESULT Terminate() override;
  HRESULT EditWorkItem(HWND parent, DWORD reserved) override;
  HRESULT GetMostRecentRunTime(SYSTEMTIME* time) override;
  HRESULT GetStatus(HRESULT* status) override;
  HRESULT GetExitCode(DWORD* exitCode) override;
  HRESULT SetComment(LPCWSTR comment) override;
  HRESULT GetComment(LPWSTR* comment) override;
  HRESULT SetCreator(LPCWSTR creator) override;
  HRESULT GetCreator(LPWSTR* creator) override;
  HRESULT SetErrorRetryCount(WORD count) override;
  HRESULT GetErrorRetryCount(WORD* count) override;
  HRESULT SetErrorRetryInterval(WORD minutes) override;
  HRESULT GetErrorRetryInterval(WORD* minutes) override;
  HRESULT SetFlags(DWORD flags) override;
  HRESULT GetFlags(DWORD* flags) override;
  HRESULT SetAccountInformation(LPCWSTR account, LPCWSTR password) override;
  HRESULT GetAccountInformation(LPWSTR* account) override;

  // ITask
  HRESULT SetApplicationName(LPCWSTR name) override;
  HRESULT GetApplicationName(LPWSTR* name) override;
  HRESULT SetParameters(LPCWSTR parameters) override;
  HRESULT GetParameters(LPWSTR* parameters) override;
  HRESULT SetWorkingDirectory(LPCWSTR folder) override;
  HRESULT GetWorkingDirectory(LPWSTR* folder) override;
  HRESULT SetPriority(DWORD priority) override;
  HRESULT GetPriority(DWORD* priority) override;
  HRESULT SetMaxRunTime(DWORD milliseconds) override;
  HRESULT GetMaxRunTime(DWORD* milliseconds) override;

  // IPersistFile
  HRESULT GetClassID(CLSID* clsid) override;
  HRESULT IsDirty() override;
  HRESULT Load(LPCOLESTR fileName, DWORD mode) override;
  HRESULT Save(LPCOLESTR fileName, BOOL remember) override;
  HRESULT SaveCompleted(LPCOLESTR fileName) override;
  HRESULT GetCurFile(LPOLESTR* fileName) override;

  // For the trigger objects.
  using Slot = std::shared_ptr<TriggerBytes>;
  bool Holds(const Slot& slot) const;
  void MarkDirty() { dirty_ = true; }

 private:
  HRESULT SetText(std::string TaskRecord::*field, LPCWSTR value);
  HRESULT GetText(const std::string TaskRecord::*field, LPWSTR* value) const;
  TaskRecord Snapshot() const;
  void Adopt(TaskRecord record);


  std::string fileName_;
  std::string ownPath_;
  TaskRecord record_;  // everything but the triggers
  std::vector<Slot> triggers_;
  bool dirty_;
};

}  // namespace platform::taskscheduler
