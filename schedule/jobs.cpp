#include "schedule/jobs.h"

#include <limits>

#include "platform/com/com_runtime.h"
#include "platform/com/variant_time.h"
#include "schedule/dispatch.h"
#include "schedule/mdlSchedule.h"

namespace schedule {

using platform::com::ComPtr;

namespace {
// The library's application title, written as the creator of new tasks.
constexpr const OLECHAR* kApplicationTitle = u"TaskScheduler";

BSTR CopyBstr(const std::u16string& text) { return SysAllocStringLen(text.data(), static_cast<UINT>(text.size())); }
std::u16string TextOf(BSTR text) { return std::u16string(text ? text : u"", SysStringLen(text)); }
}  // namespace

// Job

Job::~Job() = default;

void Job::SetName(BSTR name) { name_ = TextOf(name); }
void Job::SetFileName(BSTR name) { fileName_ = TextOf(name); }

HRESULT Job::AttachTask(ITask* task) {
  task_ = ComPtr<ITask>::Share(task);
  triggers_ = ComPtr<Triggers>::Attach(new Triggers());
  return triggers_->AttachWorkItem(task);
}

template <typename I>
HRESULT Job::TaskAs(REFIID iid, ComPtr<I>& out) const {
  if (!task_) return RaiseRuntime(91);
  return Check(task_.As(iid, out));
}

HRESULT Job::GetString(HRESULT (ITask::*get)(LPWSTR*), BSTR* value) const {
  if (!value) return E_POINTER;
  if (!task_) return RaiseRuntime(91);
  LPWSTR text = nullptr;
  if (HRESULT hr = (task_.get()->*get)(&text); FAILED(hr)) return Raise(hr);
  *value = TakeWideString(text);
  return S_OK;
}

HRESULT Job::PutString(HRESULT (ITask::*put)(LPCWSTR), BSTR value) {
  if (!task_) return RaiseRuntime(91);
  return Check((task_.get()->*put)(value ? value : u""));
}

HRESULT Job::GetDate(HRESULT (ITask::*get)(SYSTEMTIME*), DATE* value) const {
  if (!value) return E_POINTER;
  if (!task_) return RaiseRuntime(91);
  SYSTEMTIME time{};
  if (HRESULT hr = (task_.get()->*get)(&time); FAILED(hr)) return Raise(hr);
  // "Never" does not convert; the Date then stays 0.
  DATE date = 0;
  SystemTimeToVariantTime(&time, &date);
  *value = date;
  return S_OK;
}

template <typename Item, typename Raw, typename Value>
HRESULT Job::GetNumber(HRESULT (Item::*get)(Raw*), Value* value) const {
  if (!value) return E_POINTER;
  if (!task_) return RaiseRuntime(91);
  Raw raw{};
  if (HRESULT hr = (task_.get()->*get)(&raw); FAILED(hr)) return Raise(hr);
  *value = static_cast<Value>(raw);
  return S_OK;
}

template <typename Item, typename Raw, typename Value>
HRESULT Job::PutNumber(HRESULT (Item::*put)(Raw), Value value) {
  if (!task_) return RaiseRuntime(91);
  return Check((task_.get()->*put)(static_cast<Raw>(value)));
}

HRESULT Job::get_ApplicationName(BSTR* v) { return GetString(&ITask::GetApplicationName, v); }
HRESULT Job::put_ApplicationName(BSTR v) { return PutString(&ITask::SetApplicationName, v); }
HRESULT Job::get_CommandLine(BSTR* v) { return GetString(&ITask::GetParameters, v); }
HRESULT Job::put_CommandLine(BSTR v) { return PutString(&ITask::SetParameters, v); }
HRESULT Job::get_Comment(BSTR* v) { return GetString(&ITask::GetComment, v); }
HRESULT Job::put_Comment(BSTR v) { return PutString(&ITask::SetComment, v); }
HRESULT Job::get_Creator(BSTR* v) { return GetString(&ITask::GetCreator, v); }
HRESULT Job::put_Creator(BSTR v) { return PutString(&ITask::SetCreator, v); }
HRESULT Job::get_WorkingDirectory(BSTR* v) { return GetString(&ITask::GetWorkingDirectory, v); }
HRESULT Job::put_WorkingDirectory(BSTR v) { return PutString(&ITask::SetWorkingDirectory, v); }

HRESULT Job::get_ErrorRetryCount(SHORT* v) { return GetNumber(&ITask::GetErrorRetryCount, v); }
HRESULT Job::put_ErrorRetryCount(SHORT v) { return PutNumber(&ITask::SetErrorRetryCount, v); }
HRESULT Job::get_ErrorRetryInterval(SHORT* v) { return GetNumber(&ITask::GetErrorRetryInterval, v); }
HRESULT Job::put_ErrorRetryInterval(SHORT v) { return PutNumber(&ITask::SetErrorRetryInterval, v); }
HRESULT Job::get_ExitCode(LONG* v) { return GetNumber(&ITask::GetExitCode, v); }
HRESULT Job::get_Flags(LONG* v) { return GetNumber(&ITask::GetFlags, v); }
HRESULT Job::put_Flags(LONG v) { return PutNumber(&ITask::SetFlags, v); }
HRESULT Job::get_MaxRunTime(LONG* v) { return GetNumber(&ITask::GetMaxRunTime, v); }
HRESULT Job::put_MaxRunTime(LONG v) { return PutNumber(&ITask::SetMaxRunTime, v); }
HRESULT Job::get_Priority(LONG* v) { return GetNumber(&ITask::GetPriority, v); }
HRESULT Job::put_Priority(LONG v) { return PutNumber(&ITask::SetPriority, v); }
HRESULT Job::get_Status(LONG* v) { return GetNumber(&ITask::GetStatus, v); }

HRESULT Job::get_IdleWait(SHORT* v) {
  if (!v) return E_POINTER;
  if (!task_) return RaiseRuntime(91);
  WORD idle = 0, deadline = 0;
  if (HRESULT hr = task_->GetIdleWait(&idle, &deadline); FAILED(hr)) return Raise(hr);
  *v = static_cast<SHORT>(idle);
  return S_OK;
}
// The deadline has no member here: the current one is kept.
HRESULT Job::put_IdleWait(SHORT v) {
  if (!task_) return RaiseRuntime(91);
  WORD idle = 0, deadline = 0;
  if (HRESULT hr = task_->GetIdleWait(&idle, &deadline); FAILED(hr)) return Raise(hr);
  return Check(task_->SetIdleWait(static_cast<WORD>(v), deadline));
}

HRESULT Job::Edit(IDispatch*) { return ShowProperties(); }
HRESULT Job::ShowProperties() {
  if (!task_) return RaiseRuntime(91);
  return Check(task_->EditWorkItem(0, 0));
}
HRESULT Job::Run() {
  if (!task_) return RaiseRuntime(91);
  return Check(task_->Run());
}
HRESULT Job::Terminate() {
  if (!task_) return RaiseRuntime(91);
  return Check(task_->Terminate());
}

HRESULT Job::get_LastRunTime(DATE* v) { return GetDate(&ITask::GetMostRecentRunTime, v); }
HRESULT Job::get_NextRunTime(DATE* v) { return GetDate(&ITask::GetNextRunTime, v); }

HRESULT Job::get_FileName(BSTR* v) {
  if (!v) return E_POINTER;
  ComPtr<IPersistFile> file;
  if (HRESULT hr = TaskAs(IID_IPersistFile, file); FAILED(hr)) return hr;
  LPOLESTR path = nullptr;
  if (HRESULT hr = file->GetCurFile(&path); FAILED(hr)) return Raise(hr);
  *v = TakeWideString(path);
  return S_OK;
}

HRESULT Job::get_Name(BSTR* v) {
  if (!v) return E_POINTER;
  *v = CopyBstr(name_);
  return S_OK;
}

HRESULT Job::Save(BSTR fileName) {
  if (!triggers_) return RaiseRuntime(91);
  if (HRESULT hr = triggers_->UpdateEach(); FAILED(hr)) return hr;
  ComPtr<IPersistFile> file;
  if (HRESULT hr = TaskAs(IID_IPersistFile, file); FAILED(hr)) return hr;
  return Check(file->Save(SysStringLen(fileName) ? fileName : nullptr, FALSE));
}

HRESULT Job::get_Triggers(_Triggers** v) {
  if (!triggers_) return RaiseRuntime(91);
  return Share<_Triggers>(triggers_.get(), v);
}

HRESULT Job::Invoke(DISPID member, WORD kind, VARIANT* args, UINT count, VARIANT* result) {
  using namespace dispatch;
  switch (static_cast<JobMember>(member)) {
    case JobMember::ApplicationName:
      return Property(this, kind, args, count, result, &Job::get_ApplicationName, &Job::put_ApplicationName);
    case JobMember::CommandLine:
      return Property(this, kind, args, count, result, &Job::get_CommandLine, &Job::put_CommandLine);
    case JobMember::Comment: return Property(this, kind, args, count, result, &Job::get_Comment, &Job::put_Comment);
    case JobMember::Creator: return Property(this, kind, args, count, result, &Job::get_Creator, &Job::put_Creator);
    case JobMember::ErrorRetryCount:
      return Property(this, kind, args, count, result, &Job::get_ErrorRetryCount, &Job::put_ErrorRetryCount);
    case JobMember::ErrorRetryInterval:
      return Property(this, kind, args, count, result, &Job::get_ErrorRetryInterval, &Job::put_ErrorRetryInterval);
    case JobMember::ExitCode: return Getter(this, kind, args, count, result, &Job::get_ExitCode);
    case JobMember::Flags: return Property(this, kind, args, count, result, &Job::get_Flags, &Job::put_Flags);
    case JobMember::IdleWait: return Property(this, kind, args, count, result, &Job::get_IdleWait, &Job::put_IdleWait);
    case JobMember::MaxRunTime:
      return Property(this, kind, args, count, result, &Job::get_MaxRunTime, &Job::put_MaxRunTime);
    case JobMember::Priority: return Property(this, kind, args, count, result, &Job::get_Priority, &Job::put_Priority);
    case JobMember::Status: return Getter(this, kind, args, count, result, &Job::get_Status);
    case JobMember::Edit:
      if (!(kind & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
      if (count != 1) return DISP_E_BADPARAMCOUNT;
      return Edit(nullptr);
    case JobMember::Run: return Method(this, kind, count, &Job::Run);
    case JobMember::Terminate: return Method(this, kind, count, &Job::Terminate);
    case JobMember::LastRunTime: return Getter(this, kind, args, count, result, &Job::get_LastRunTime);
    case JobMember::NextRunTime: return Getter(this, kind, args, count, result, &Job::get_NextRunTime);
    case JobMember::FileName: return Getter(this, kind, args, count, result, &Job::get_FileName);
    case JobMember::Name: return Getter(this, kind, args, count, result, &Job::get_Name);
    case JobMember::Save: {
      if (!(kind & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
      if (count > 1) return DISP_E_BADPARAMCOUNT;
      BSTR name = nullptr;
      if (count == 1)
        if (HRESULT hr = Convert(args[0], name); FAILED(hr)) return hr;
      HRESULT hr = Save(name);
      SysFreeString(name);
      return hr;
    }
    case JobMember::ShowProperties: return Method(this, kind, count, &Job::ShowProperties);
    case JobMember::WorkingDirectory:
      return Property(this, kind, args, count, result, &Job::get_WorkingDirectory, &Job::put_WorkingDirectory);
    case JobMember::Triggers: return ObjectGetter(this, count, result, &Job::get_Triggers);
    default: return DISP_E_MEMBERNOTFOUND;
  }
}

// Schedule

HRESULT Schedule::Initialize() {
  return CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                          scheduler_.putVoid());
}

HRESULT Schedule::AddToCount(LONG delta) {
  long long next = static_cast<long long>(count_) + delta;
  if (next > std::numeric_limits<LONG>::max() || next < std::numeric_limits<LONG>::min()) return RaiseRuntime(6);
  count_ = static_cast<LONG>(next);
  return S_OK;
}

HRESULT Schedule::CreateTask(BSTR name, _Job** job) {
  if (!job) return E_POINTER;
  *job = nullptr;
  auto created = ComPtr<Job>::Attach(new Job());
  ComPtr<IUnknown> item;
  if (HRESULT hr = scheduler_->NewWorkItem(name ? name : u"", CLSID_CTask, IID_ITask, item.put()); FAILED(hr))
    return Raise(hr);
  ComPtr<ITask> task;
  if (HRESULT hr = item.As(IID_ITask, task); FAILED(hr)) return Raise(hr);
  if (HRESULT hr = created->AttachTask(task.get()); FAILED(hr)) return hr;
  BSTR title = SysAllocString(kApplicationTitle);
  HRESULT hr = created->put_Creator(title);
  SysFreeString(title);
  if (FAILED(hr)) return hr;
  if (HRESULT saved = created->Save(nullptr); FAILED(saved)) return saved;
  if (HRESULT counted = AddToCount(1); FAILED(counted)) return counted;
  jobs_.Add(created);
  return Share<_Job>(created.get(), job);
}

// Errors are passed over step by step, except that a failing enumeration
// ends the refresh with an empty list and is reported, and a task that
// cannot be opened is left out of the list.
HRESULT Schedule::Refresh() {
  jobs_.Clear();
  count_ = 0;
  ComPtr<IEnumWorkItems> items;
  if (HRESULT hr = scheduler_->Enum(items.put()); FAILED(hr)) return Raise(hr);
  for (;;) {
    LPWSTR* names = nullptr;
    ULONG fetched = 0;
    HRESULT hr = items->Next(1, &names, &fetched);
    if (FAILED(hr)) {
      jobs_.Clear();
      count_ = 0;
      return Raise(hr);
    }
    if (hr != S_OK) {
      CoTaskMemFree(names);
      break;
    }
    if (names && names[0]) {
      BSTR name = TakeWideString(names[0]);
      ComPtr<IUnknown> item;
      ComPtr<ITask> task;
      if (SUCCEEDED(scheduler_->Activate(name, IID_ITask, item.put())) && SUCCEEDED(item.As(IID_ITask, task))) {
        auto job = ComPtr<Job>::Attach(new Job());
        if (SUCCEEDED(job->AttachTask(task.get()))) {
          UINT length = SysStringLen(name);
          BSTR shortName = SysAllocStringLen(name, length >= 4 ? length - 4 : 0);
          job->SetName(shortName);
          job->SetFileName(name);
          jobs_.Add(job, TextOf(shortName));
          SysFreeString(shortName);
        }
      }
      SysFreeString(name);
    }
    CoTaskMemFree(names);
    AddToCount(1);
  }
  return S_OK;
}

HRESULT Schedule::Delete(SHORT index) {
  Job* job = jobs_.At(index);
  if (!job) return RaiseRuntime(5);
  BSTR name = nullptr;
  job->get_Name(&name);
  std::u16string fileName = TextOf(name) + u".job";
  SysFreeString(name);
  if (HRESULT hr = scheduler_->Delete(fileName.c_str()); FAILED(hr)) return Raise(hr);
  if (HRESULT hr = AddToCount(-1); FAILED(hr)) return hr;
  jobs_.RemoveAt(index);
  return S_OK;
}

HRESULT Schedule::get_NewEnum(IUnknown** enumerator) { return NewEnumOf(jobs_, enumerator); }

HRESULT Schedule::get_Job(SHORT index, _Job** job) {
  if (!job) return E_POINTER;
  *job = nullptr;
  Job* found = jobs_.At(index);
  if (!found) return RaiseRuntime(5);
  return Share<_Job>(found, job);
}

HRESULT Schedule::get_TargetComputer(BSTR* value) {
  if (!value) return E_POINTER;
  LPWSTR name = nullptr;
  if (HRESULT hr = scheduler_->GetTargetComputer(&name); FAILED(hr)) return Raise(hr);
  *value = TakeWideString(name);
  return S_OK;
}

HRESULT Schedule::put_TargetComputer(BSTR value) {
  HRESULT hr = scheduler_->SetTargetComputer(value ? value : u"");
  return FAILED(hr) ? Raise(hr) : S_OK;
}

HRESULT Schedule::get_Count(LONG* value) {
  if (!value) return E_POINTER;
  *value = count_;
  return S_OK;
}

HRESULT Schedule::Invoke(DISPID member, WORD kind, VARIANT* args, UINT count, VARIANT* result) {
  using namespace dispatch;
  switch (static_cast<ScheduleMember>(member)) {
    case ScheduleMember::CreateTask: {
      if (!(kind & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
      if (count != 1) return DISP_E_BADPARAMCOUNT;
      BSTR name = nullptr;
      if (HRESULT hr = Convert(args[0], name); FAILED(hr)) return hr;
      _Job* job = nullptr;
      HRESULT hr = CreateTask(name, &job);
      SysFreeString(name);
      return StoreObject(hr, static_cast<IDispatch*>(job), result);
    }
    case ScheduleMember::NewEnum: return NewEnum(this, count, result);
    case ScheduleMember::Refresh: return Method(this, kind, count, &Schedule::Refresh);
    case ScheduleMember::Delete:
    case ScheduleMember::Job: {
      if (count != 1) return DISP_E_BADPARAMCOUNT;
      SHORT index = 0;
      if (HRESULT hr = Convert(args[0], index); FAILED(hr)) return hr;
      if (static_cast<ScheduleMember>(member) == ScheduleMember::Delete) return Delete(index);
      _Job* job = nullptr;
      HRESULT hr = get_Job(index, &job);
      return StoreObject(hr, static_cast<IDispatch*>(job), result);
    }
    case ScheduleMember::TargetComputer:
      return Property(this, kind, args, count, result, &Schedule::get_TargetComputer, &Schedule::put_TargetComputer);
    case ScheduleMember::Count: return Getter(this, kind, args, count, result, &Schedule::get_Count);
    default: return DISP_E_MEMBERNOTFOUND;
  }
}

}  // namespace schedule
