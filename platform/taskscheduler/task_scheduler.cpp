// ITaskScheduler, IEnumWorkItems and the class factory of the service.
#include <string>
#include <vector>

#include "platform/base/cp1252.h"
#include "platform/com/class_factory.h"
#include "platform/machine/machine.h"
#include "platform/taskscheduler/task_folder.h"
#include "platform/taskscheduler/task_object.h"
#include "platform/taskscheduler/task_scheduler_module.h"

namespace platform::taskscheduler {
namespace {

using com::AnsiFromWide;
using com::WideOf;

constexpr std::string_view kJobExtension = ".job";

bool Running() {
  Machine* machine = CurrentMachine();
  return machine && machine->description().taskScheduler == TaskSchedulerState::Running;
}

bool IsValidTaskName(std::string_view name) {
  if (name.empty()) return false;
  for (unsigned char c : name)
    if (c < 32 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) return false;
  return true;
}

bool HasJobExtension(std::string_view name) {
  return name.size() >= kJobExtension.size() && EqualsNoCase(name.substr(name.size() - kJobExtension.size()), kJobExtension);
}

// "<name>.job" for a name given with or without the extension; E_INVALIDARG
// for a name that could leave the Tasks folder, 0x80070002 for ".job" alone.
HRESULT JobFileName(LPCWSTR given, std::string& fileName) {
  if (!given) return E_INVALIDARG;
  std::string name = AnsiFromWide(WideOf(given));
  std::string stem = HasJobExtension(name) ? name.substr(0, name.size() - kJobExtension.size()) : name;
  if (stem.empty()) return HRESULT_FILE_NOT_FOUND;
  if (!IsValidTaskName(stem)) return E_INVALIDARG;
  fileName = stem + std::string(HasJobExtension(name) ? name.substr(stem.size()) : std::string(kJobExtension));
  return S_OK;
}

class WorkItemEnum final : public com::ComObject<IEnumWorkItems> {
 public:
  explicit WorkItemEnum(std::vector<std::string> names, std::size_t position = 0)
      : names_(std::move(names)), position_(position) {}

  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IEnumWorkItems) return Give(static_cast<IEnumWorkItems*>(this), object);
    return E_NOINTERFACE;
  }

  HRESULT Next(ULONG count, LPWSTR** names, ULONG* fetched) override {
    if (!names || count == 0 || (count > 1 && !fetched)) return E_INVALIDARG;
    *names = nullptr;
    if (fetched) *fetched = 0;
    std::size_t n = std::min<std::size_t>(count, names_.size() - position_);
    if (n == 0) return S_FALSE;
    auto* array = static_cast<LPWSTR*>(CoTaskMemAlloc(n * sizeof(LPWSTR)));
    if (!array) return E_OUTOFMEMORY;
    for (std::size_t i = 0; i < n; ++i) array[i] = com::TaskMemString(com::WideFromAnsi(names_[position_ + i]));
    position_ += n;
    *names = array;
    if (fetched) *fetched = static_cast<ULONG>(n);
    return n == count ? S_OK : S_FALSE;
  }

  HRESULT Skip(ULONG count) override {
    std::size_t n = std::min<std::size_t>(count, names_.size() - position_);
    position_ += n;
    return n == count ? S_OK : S_FALSE;
  }

  HRESULT Reset() override {
    position_ = 0;
    return S_OK;
  }

  HRESULT Clone(IEnumWorkItems** copy) override {
    if (!copy) return E_INVALIDARG;
    *copy = new WorkItemEnum(names_, position_);
    return S_OK;
  }

 private:
  std::vector<std::string> names_;
  std::size_t position_;
};

class TaskScheduler final : public com::ComObject<ITaskScheduler> {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_ITaskScheduler) return Give(static_cast<ITaskScheduler*>(this), object);
    return E_NOINTERFACE;
  }

  HRESULT SetTargetComputer(LPCWSTR computer) override {
    if (!Running()) return SCHED_E_SERVICE_NOT_RUNNING;
    std::string name = AnsiFromWide(WideOf(computer));
    if (name.empty() || EqualsNoCase(name, LocalName())) return S_OK;
    return HRESULT_BAD_NETPATH;
  }

  HRESULT GetTargetComputer(LPWSTR* computer) override {
    if (!computer) return E_INVALIDARG;
    *computer = nullptr;
    if (!Running()) return SCHED_E_SERVICE_NOT_RUNNING;
    *computer = com::TaskMemString(com::WideFromAnsi(LocalName()));
    return *computer ? S_OK : E_OUTOFMEMORY;
  }

  HRESULT Enum(IEnumWorkItems** items) override {
    if (!items) return E_INVALIDARG;
    *items = nullptr;
    if (!Running()) return SCHED_E_SERVICE_NOT_RUNNING;
    std::vector<std::string> names;
    if (DWORD rc = ListTaskFiles(names); rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
    *items = new WorkItemEnum(std::move(names));
    return S_OK;
  }

  HRESULT Activate(LPCWSTR name, REFIID iid, IUnknown** item) override {
    if (!item) return E_INVALIDARG;
    *item = nullptr;
    if (!Running()) return SCHED_E_SERVICE_NOT_RUNNING;
    std::string fileName;
    if (HRESULT hr = JobFileName(name, fileName); FAILED(hr)) return hr;
    std::string content;
    if (DWORD rc = ReadTaskFile(TaskFilePath(fileName), content); rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
    std::optional<TaskRecord> record = ParseTaskFile(content);
    if (!record) return SCHED_E_UNKNOWN_OBJECT_VERSION;
    return Hand(new Task(fileName, std::move(*record), false), iid, item);
  }

  HRESULT Delete(LPCWSTR name) override {
    if (!Running()) return SCHED_E_SERVICE_NOT_RUNNING;
    std::string fileName;
    if (HRESULT hr = JobFileName(name, fileName); FAILED(hr)) return hr;
    return HRESULT_FROM_WIN32(DeleteTaskFile(TaskFilePath(fileName)));
  }

  HRESULT NewWorkItem(LPCWSTR name, REFCLSID clsid, REFIID iid, IUnknown** item) override {
    if (!item) return E_INVALIDARG;
    *item = nullptr;
    if (!Running()) return SCHED_E_SERVICE_NOT_RUNNING;
    if (clsid != CLSID_CTask) return CLASS_E_CLASSNOTAVAILABLE;
    std::string stem = name ? AnsiFromWide(WideOf(name)) : std::string();
    if (!IsValidTaskName(stem)) return E_INVALIDARG;
    std::string fileName = stem + std::string(kJobExtension);
    if (TaskFileExists(TaskFilePath(fileName))) return HRESULT_FILE_EXISTS;
    return Hand(new Task(fileName, TaskRecord{}, true), iid, item);
  }

 private:
  static std::string LocalName() { return "\\\\" + CurrentMachine()->description().computerName; }

  // Gives the caller the asked-for interface of a new task, or drops it.
  static HRESULT Hand(Task* task, REFIID iid, IUnknown** item) {
    HRESULT hr = task->QueryInterface(iid, reinterpret_cast<void**>(item));
    task->Release();
    return hr;
  }
};

}  // namespace

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  return com::GetSingleClassObject<TaskScheduler>(clsid, CLSID_CTaskScheduler, iid, object);
}

}  // namespace platform::taskscheduler
