#pragma once
// The Task Scheduler 1.0 interfaces, identities and the TASK_TRIGGER record.
#include <cstddef>

#include "platform/base/wintypes.h"
#include "platform/com/com_memory.h"
#include "platform/com/unknown.h"

inline constexpr CLSID CLSID_CTaskScheduler = platform::com::MakeGuid(0x148BD52A, 0xA2AB, 0x11CE, 0xB11F00AA00530503ull);
inline constexpr IID IID_ITaskScheduler = platform::com::MakeGuid(0x148BD527, 0xA2AB, 0x11CE, 0xB11F00AA00530503ull);
inline constexpr CLSID CLSID_CTask = platform::com::MakeGuid(0x148BD520, 0xA2AB, 0x11CE, 0xB11F00AA00530503ull);
inline constexpr IID IID_ITask = platform::com::MakeGuid(0x148BD524, 0xA2AB, 0x11CE, 0xB11F00AA00530503ull);
inline constexpr IID IID_IScheduledWorkItem = platform::com::MakeGuid(0xA6B952F0, 0xA4B1, 0x11D0, 0x997D00AA006887ECull);
inline constexpr IID IID_ITaskTrigger = platform::com::MakeGuid(0x148BD52B, 0xA2AB, 0x11CE, 0xB11F00AA00530503ull);
inline constexpr IID IID_IEnumWorkItems = platform::com::MakeGuid(0x148BD528, 0xA2AB, 0x11CE, 0xB11F00AA00530503ull);
inline constexpr IID IID_IPersist = platform::com::MakeGuid(0x0000010C, 0x0000, 0x0000, 0xC000000000000046ull);
inline constexpr IID IID_IPersistFile = platform::com::MakeGuid(0x0000010B, 0x0000, 0x0000, 0xC000000000000046ull);

// Work-item flags.
constexpr DWORD TASK_FLAG_INTERACTIVE = 0x1;
constexpr DWORD TASK_FLAG_DELETE_WHEN_DONE = 0x2;
constexpr DWORD TASK_FLAG_DISABLED = 0x4;

// Priority classes.
constexpr DWORD NORMAL_PRIORITY_CLASS = 0x20;
constexpr DWORD IDLE_PRIORITY_CLASS = 0x40;
constexpr DWORD HIGH_PRIORITY_CLASS = 0x80;
constexpr DWORD REALTIME_PRIORITY_CLASS = 0x100;

// Trigger flags and types.
constexpr DWORD TASK_TRIGGER_FLAG_HAS_END_DATE = 0x1;
constexpr DWORD TASK_TRIGGER_FLAG_KILL_AT_DURATION_END = 0x2;
constexpr DWORD TASK_TRIGGER_FLAG_DISABLED = 0x4;

enum TASK_TRIGGER_TYPE : DWORD {
  TASK_TIME_TRIGGER_ONCE = 0,
  TASK_TIME_TRIGGER_DAILY = 1,
  TASK_TIME_TRIGGER_WEEKLY = 2,
  TASK_TIME_TRIGGER_MONTHLYDATE = 3,
  TASK_TIME_TRIGGER_MONTHLYDOW = 4,
  TASK_EVENT_TRIGGER_ON_IDLE = 5,
  TASK_EVENT_TRIGGER_AT_SYSTEMSTART = 6,
  TASK_EVENT_TRIGGER_AT_LOGON = 7,
};

struct DAILY {
  WORD DaysInterval;
};
struct WEEKLY {
  WORD WeeksInterval;
  WORD rgfDaysOfTheWeek;
};
struct MONTHLYDATE {
  DWORD rgfDays;
  WORD rgfMonths;
};
struct MONTHLYDOW {
  WORD wWhichWeek;
  WORD rgfDaysOfTheWeek;
  WORD rgfMonths;
};
union TRIGGER_TYPE_UNION {
  DAILY Daily;
  WEEKLY Weekly;
  MONTHLYDATE MonthlyDate;
  MONTHLYDOW MonthlyDOW;
};

struct TASK_TRIGGER {
  WORD cbTriggerSize;
  WORD Reserved1;
  WORD wBeginYear;
  WORD wBeginMonth;
  WORD wBeginDay;
  WORD wEndYear;
  WORD wEndMonth;
  WORD wEndDay;
  WORD wStartHour;
  WORD wStartMinute;
  DWORD MinutesDuration;
  DWORD MinutesInterval;
  DWORD rgFlags;
  TASK_TRIGGER_TYPE TriggerType;
  TRIGGER_TYPE_UNION Type;
  WORD Reserved2;
  WORD wRandomMinutesInterval;
};
using PTASK_TRIGGER = TASK_TRIGGER*;
static_assert(sizeof(TASK_TRIGGER) == 48);
static_assert(offsetof(TASK_TRIGGER, MinutesDuration) == 20);
static_assert(offsetof(TASK_TRIGGER, Type) == 36);
static_assert(offsetof(TASK_TRIGGER, wRandomMinutesInterval) == 46);

struct ITaskTrigger : IUnknown {
  virtual HRESULT SetTrigger(const TASK_TRIGGER* trigger) = 0;
  virtual HRESULT GetTrigger(TASK_TRIGGER* trigger) = 0;
  virtual HRESULT GetTriggerString(LPWSTR* text) = 0;

 protected:
  ~ITaskTrigger() = default;
};

struct IScheduledWorkItem : IUnknown {
  virtual HRESULT CreateTrigger(WORD* newIndex, ITaskTrigger** trigger) = 0;
  virtual HRESULT DeleteTrigger(WORD index) = 0;
  virtual HRESULT GetTriggerCount(WORD* count) = 0;
  virtual HRESULT GetTrigger(WORD index, ITaskTrigger** trigger) = 0;
  virtual HRESULT GetTriggerString(WORD index, LPWSTR* text) = 0;
  virtual HRESULT GetNextRunTime(SYSTEMTIME* time) = 0;
  virtual HRESULT SetIdleWait(WORD idleMinutes, WORD deadlineMinutes) = 0;
  virtual HRESULT GetIdleWait(WORD* idleMinutes, WORD* deadlineMinutes) = 0;
  virtual HRESULT Run() = 0;
  virtual HRESULT Terminate() = 0;
  virtual HRESULT EditWorkItem(HWND parent, DWORD reserved) = 0;
  virtual HRESULT GetMostRecentRunTime(SYSTEMTIME* time) = 0;
  virtual HRESULT GetStatus(HRESULT* status) = 0;
  virtual HRESULT GetExitCode(DWORD* exitCode) = 0;
  virtual HRESULT SetComment(LPCWSTR comment) = 0;
  virtual HRESULT GetComment(LPWSTR* comment) = 0;
  virtual HRESULT SetCreator(LPCWSTR creator) = 0;
  virtual HRESULT GetCreator(LPWSTR* creator) = 0;
  virtual HRESULT SetErrorRetryCount(WORD count) = 0;
  virtual HRESULT GetErrorRetryCount(WORD* count) = 0;
  virtual HRESULT SetErrorRetryInterval(WORD minutes) = 0;
  virtual HRESULT GetErrorRetryInterval(WORD* minutes) = 0;
  virtual HRESULT SetFlags(DWORD flags) = 0;
  virtual HRESULT GetFlags(DWORD* flags) = 0;
  virtual HRESULT SetAccountInformation(LPCWSTR account, LPCWSTR password) = 0;
  virtual HRESULT GetAccountInformation(LPWSTR* account) = 0;

 protected:
  ~IScheduledWorkItem() = default;
};

struct ITask : IScheduledWorkItem {
  virtual HRESULT SetApplicationName(LPCWSTR name) = 0;
  virtual HRESULT GetApplicationName(LPWSTR* name) = 0;
  virtual HRESULT SetParameters(LPCWSTR parameters) = 0;
  virtual HRESULT GetParameters(LPWSTR* parameters) = 0;
  virtual HRESULT SetWorkingDirectory(LPCWSTR folder) = 0;
  virtual HRESULT GetWorkingDirectory(LPWSTR* folder) = 0;
  virtual HRESULT SetPriority(DWORD priority) = 0;
  virtual HRESULT GetPriority(DWORD* priority) = 0;
  virtual HRESULT SetMaxRunTime(DWORD milliseconds) = 0;
  virtual HRESULT GetMaxRunTime(DWORD* milliseconds) = 0;

 protected:
  ~ITask() = default;
};

struct IPersistFile : IUnknown {
  virtual HRESULT GetClassID(CLSID* clsid) = 0;
  virtual HRESULT IsDirty() = 0;
  virtual HRESULT Load(LPCOLESTR fileName, DWORD mode) = 0;
  virtual HRESULT Save(LPCOLESTR fileName, BOOL remember) = 0;
  virtual HRESULT SaveCompleted(LPCOLESTR fileName) = 0;
  virtual HRESULT GetCurFile(LPOLESTR* fileName) = 0;

 protected:
  ~IPersistFile() = default;
};

struct IEnumWorkItems : IUnknown {
  virtual HRESULT Next(ULONG count, LPWSTR** names, ULONG* fetched) = 0;
  virtual HRESULT Skip(ULONG count) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumWorkItems** copy) = 0;

 protected:
  ~IEnumWorkItems() = default;
};

struct ITaskScheduler : IUnknown {
  virtual HRESULT SetTargetComputer(LPCWSTR computer) = 0;
  virtual HRESULT GetTargetComputer(LPWSTR* computer) = 0;
  virtual HRESULT Enum(IEnumWorkItems** items) = 0;
  virtual HRESULT Activate(LPCWSTR name, REFIID iid, IUnknown** item) = 0;
  virtual HRESULT Delete(LPCWSTR name) = 0;
  virtual HRESULT NewWorkItem(LPCWSTR name, REFCLSID clsid, REFIID iid, IUnknown** item) = 0;

 protected:
  ~ITaskScheduler() = default;
};
