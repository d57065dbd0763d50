#pragma once
// Schedule and Job: the task scheduler, its job list and counter, and one
// task with a member per system method.
#include "platform/taskscheduler/mstask.h"
#include "schedule/collection.h"
#include "schedule/library_object.h"
#include "schedule/triggers.h"

namespace schedule {

class Job final : public LibraryObject<_Job> {
 public:
  // Friend operations of the library.
  void SetName(BSTR name);
  void SetFileName(BSTR name);
  ITask* TaskObject() const { return task_.get(); }
  // Keeps the task and loads its triggers.
  HRESULT AttachTask(ITask* task);

  HRESULT Invoke(DISPID member, WORD kind, VARIANT* args, UINT count, VARIANT* result) override;

  HRESULT get_ApplicationName(BSTR* value) override;
  HRESULT put_ApplicationName(BSTR value) override;
  HRESULT get_CommandLine(BSTR* value) override;
  HRESULT put_CommandLine(BSTR value) override;
  HRESULT get_Comment(BSTR* value) override;
  HRESULT put_Comment(BSTR value) override;
  HRESULT get_Creator(BSTR* value) override;
  HRESULT put_Creator(BSTR value) override;
  HRESULT get_ErrorRetryCount(SHORT* value) override;
  HRESULT put_ErrorRetryCount(SHORT value) override;
  HRESULT get_ErrorRetryInterval(SHORT* value) override;
  HRESULT put_ErrorRetryInterval(SHORT value) override;
  HRESULT get_ExitCode(LONG* value) override;
  HRESULT get_Flags(LONG* value) override;
  HRESULT put_Flags(LONG value) override;
  HRESULT get_IdleWait(SHORT* value) override;
  HRESULT put_IdleWait(SHORT value) override;
  HRESULT get_MaxRunTime(LONG* value) override;
  HRESULT put_MaxRunTime(LONG value) override;
  HRESULT get_Priority(LONG* value) override;
  HRESULT put_Priority(LONG value) override;
  HRESULT get_Status(LONG* value) override;
  HRESULT Edit(IDispatch* parent) override;
  HRESULT Run() override;
  HRESULT Terminate() override;
  HRESULT get_LastRunTime(DATE* value) override;
  HRESULT get_NextRunTime(DATE* value) override;
  HRESULT get_FileName(BSTR* value) override;
  HRESULT get_Name(BSTR* value) override;
  HRESULT Save(BSTR fileName) override;
  HRESULT ShowProperties() override;
  HRESULT get_WorkingDirectory(BSTR* value) override;
  HRESULT put_WorkingDirectory(BSTR value) override;
  HRESULT get_Triggers(_Triggers** value) override;

 protected:
  const IID& OwnIid() const override { return schedule_ids::IID__Job; }
  ~Job() override;

 private:
  template <typename I>
  HRESULT TaskAs(REFIID iid, platform::com::ComPtr<I>& out) const;
  HRESULT GetString(HRESULT (ITask::*get)(LPWSTR*), BSTR* value) const;
  HRESULT PutString(HRESULT (ITask::*put)(LPCWSTR), BSTR value);
  HRESULT GetDate(HRESULT (ITask::*get)(SYSTEMTIME*), DATE* value) const;
  // A number of the task as the member's type (WORD as Integer, DWORD as Long).
  template <typename Item, typename Raw, typename Value>
  HRESULT GetNumber(HRESULT (Item::*get)(Raw*), Value* value) const;
  template <typename Item, typename Raw, typename Value>
  HRESULT PutNumber(HRESULT (Item::*put)(Raw), Value value);
  HRESULT Check(HRESULT hr) const { return FAILED(hr) ? Raise(hr) : S_OK; }

  platform::com::ComPtr<ITask> task_;
  std::u16string name_;
  std::u16string fileName_;
  platform::com::ComPtr<Triggers> triggers_;
};

class Schedule final : public LibraryObject<_Schedule> {
 public:
  // Creates the system's task scheduler; fails when it cannot be created.
  HRESULT Initialize();

  HRESULT Invoke(DISPID member, WORD kind, VARIANT* args, UINT count, VARIANT* result) override;

  HRESULT CreateTask(BSTR name, _Job** job) override;
  HRESULT get_NewEnum(IUnknown** enumerator) override;
  HRESULT Refresh() override;
  HRESULT Delete(SHORT index) override;
  HRESULT get_Job(SHORT index, _Job** job) override;
  HRESULT get_TargetComputer(BSTR* value) override;
  HRESULT put_TargetComputer(BSTR value) override;
  HRESULT get_Count(LONG* value) override;

 protected:
  const IID& OwnIid() const override { return schedule_ids::IID__Schedule; }

 private:
  HRESULT AddToCount(LONG delta);

  platform::com::ComPtr<ITaskScheduler> scheduler_;
  Collection<Job> jobs_;
  LONG count_ = 0;
};

}  // namespace schedule
