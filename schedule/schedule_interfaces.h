#pragma once
// The type library "TaskScheduler" 1.0 of the Schedule library: identities,
// enumerations and the dual interfaces clients bind to.
#include "platform/com/automation_types.h"

namespace schedule_ids {
using platform::com::MakeGuid;
inline constexpr GUID LIBID_TaskScheduler = MakeGuid(0x79339128, 0x06A2, 0x4BA3, 0x8D891E7E5AEE9F4Cull);
inline constexpr CLSID CLSID_Schedule = MakeGuid(0xA3B16D2A, 0xFBCC, 0x481F, 0x8D1A10799D9D1129ull);
inline constexpr IID IID__Schedule = MakeGuid(0x4D964E0C, 0xBBD8, 0x49B7, 0x87DF6B4508AD4F83ull);
inline constexpr CLSID CLSID_Job = MakeGuid(0x8DEF10D5, 0x48CF, 0x4137, 0xAE709BB47EFCF4C8ull);
inline constexpr IID IID__Job = MakeGuid(0x08BB2CCF, 0xB4A5, 0x472E, 0xB6A719F27CC82275ull);
inline constexpr CLSID CLSID_Triggers = MakeGuid(0xFDD6A8FB, 0x9065, 0x4682, 0xBCEFE6E046182F29ull);
inline constexpr IID IID__Triggers = MakeGuid(0xF2F379DA, 0x843A, 0x4940, 0x9B6E022D337728C1ull);
inline constexpr CLSID CLSID_Trigger = MakeGuid(0x597F4D96, 0x6DB1, 0x4E1E, 0x8F4E42647A0EE41Cull);
inline constexpr IID IID__Trigger = MakeGuid(0x47DFACC4, 0x5318, 0x49C8, 0xA11FD1FA2EAB4368ull);
inline constexpr GUID GUID_saTaskFlags = MakeGuid(0xA7EE5061, 0x2F86, 0x4CF0, 0xA92361A4F65088F3ull);
inline constexpr GUID GUID_saTriggerTypes = MakeGuid(0xDCB91C4D, 0xE1BC, 0x4BDC, 0xB092E5B2AD37E4D7ull);
inline constexpr GUID GUID_saTriggerMonths = MakeGuid(0x34A7C7C7, 0x4A65, 0x433E, 0xB78CB6004CEDC778ull);
inline constexpr GUID GUID_saTriggerDays = MakeGuid(0xE2228D31, 0x18C1, 0x4A0B, 0xB08F6355DF91D445ull);
inline constexpr GUID GUID_saTriggerWeeks = MakeGuid(0x2BEE0A6A, 0x20C2, 0x4402, 0x94C2689C5790598Bull);
inline constexpr GUID GUID_saTriggerFlags = MakeGuid(0x27D95621, 0x5C77, 0x468F, 0xAD8FFD7C99826BCEull);
}  // namespace schedule_ids

// The library's own error: a typed trigger property on a trigger of another type.
constexpr HRESULT SCHEDULE_E_INVALIDTRIGGERTYPE = MakeHResult(0x80040001u);

enum saTaskFlags : LONG {
  tfInteractive = 1,
  tfDeleteWhenDone = 2,
  tfDisabled = 4,
  tfStartOnlyIfIdle = 16,
  tfKillOnIdleEnd = 32,
  tfDontStartIfOnBatteries = 64,
  tfKillIfGoingOnBatteries = 128,
  tfRunOnlyIfDocked = 256,
  tfHidden = 512,
  tfRunIfConnectedToInternet = 1024,
  tfRestartOnIdleResume = 2048,
};

enum saTriggerTypes : LONG {
  ttOnce = 0,
  ttDaily = 1,
  ttWeekly = 2,
  ttMonthlyDate = 3,
  ttMonthlyWeekDay = 4,
  ttOnIdle = 5,
  ttAtSystemStart = 6,
  ttAtLogon = 7,
};

enum saTriggerMonths : LONG {
  tmJanuary = 1, tmFebruary = 2, tmMarch = 4, tmApril = 8, tmMay = 16, tmJune = 32,
  tmJuly = 64, tmAugust = 128, tmSeptember = 256, tmOctober = 512, tmNovember = 1024, tmDecember = 2048,
};

enum saTriggerDays : LONG {
  tdSunday = 1, tdMonday = 2, tdTuesday = 4, tdWednesday = 8, tdThursday = 16, tdFriday = 32, tdSaturday = 64,
};

enum saTriggerWeeks : LONG { twFirst = 1, twSecond = 2, twThird = 3, twFourth = 4, twLast = 5 };

enum saTriggerFlags : LONG { tfHasEndDate = 1, tfKillAtDurationEnd = 2, tfTriggerDisabled = 4 };

// Members in slot order. Strings are BSTRs the caller frees; objects come
// with a reference the caller releases. Each interface's dispatch
// identities are named beside it: the default member is DISPID_VALUE,
// NewEnum DISPID_NEWENUM, every other member its slot number (get and let
// share it). Late-bound clients (the program's scheduling page, scripts)
// hold these numbers, so they never change.
enum class TriggerMember : DISPID {
  DaysInterval = 1,
  Day = 2,
  Months = 3,
  DaysOfTheWeek = 4,
  Week = 5,
  WeeksInterval = 6,
  Refresh = 7,
  Update = 8,
  Text = 9,
  TriggerType = 10,
  Duration = 11,
  Interval = 12,
  Flags = 13,
  BeginDay = 14,
  EndDay = 15,
  RandomInterval = 16,
  StartTime = 17,
};

struct _Trigger : IDispatch {
  virtual HRESULT get_DaysInterval(SHORT* value) = 0;
  virtual HRESULT put_DaysInterval(SHORT value) = 0;
  virtual HRESULT get_Day(SHORT* value) = 0;
  virtual HRESULT put_Day(SHORT value) = 0;
  virtual HRESULT get_Months(LONG* value) = 0;
  virtual HRESULT put_Months(LONG value) = 0;
  virtual HRESULT get_DaysOfTheWeek(LONG* value) = 0;
  virtual HRESULT put_DaysOfTheWeek(LONG value) = 0;
  virtual HRESULT get_Week(LONG* value) = 0;
  virtual HRESULT put_Week(LONG value) = 0;
  virtual HRESULT get_WeeksInterval(SHORT* value) = 0;
  virtual HRESULT put_WeeksInterval(SHORT value) = 0;
  virtual HRESULT Refresh() = 0;
  virtual HRESULT Update() = 0;
  virtual HRESULT get_Text(BSTR* value) = 0;
  virtual HRESULT get_TriggerType(LONG* value) = 0;
  virtual HRESULT put_TriggerType(LONG value) = 0;
  virtual HRESULT get_Duration(LONG* value) = 0;
  virtual HRESULT put_Duration(LONG value) = 0;
  virtual HRESULT get_Interval(LONG* value) = 0;
  virtual HRESULT put_Interval(LONG value) = 0;
  virtual HRESULT get_Flags(LONG* value) = 0;
  virtual HRESULT put_Flags(LONG value) = 0;
  virtual HRESULT get_BeginDay(DATE* value) = 0;
  virtual HRESULT put_BeginDay(DATE value) = 0;
  virtual HRESULT get_EndDay(DATE* value) = 0;
  virtual HRESULT put_EndDay(DATE value) = 0;
  virtual HRESULT get_RandomInterval(SHORT* value) = 0;
  virtual HRESULT put_RandomInterval(SHORT value) = 0;
  virtual HRESULT get_StartTime(DATE* value) = 0;
  virtual HRESULT put_StartTime(DATE value) = 0;

 protected:
  ~_Trigger() = default;
};

enum class TriggersMember : DISPID {
  Item = DISPID_VALUE,
  Add = 1,
  NewEnum = DISPID_NEWENUM,
  Remove = 3,
  Count = 4,
  Update = 6,
};

struct _Triggers : IDispatch {
  virtual HRESULT Add(_Trigger** trigger) = 0;
  virtual HRESULT get_NewEnum(IUnknown** enumerator) = 0;
  virtual HRESULT Remove(SHORT index) = 0;
  virtual HRESULT get_Count(LONG* count) = 0;
  virtual HRESULT get_Item(VARIANT index, _Trigger** trigger) = 0;
  virtual HRESULT Update() = 0;

 protected:
  ~_Triggers() = default;
};

enum class JobMember : DISPID {
  ApplicationName = 1,
  CommandLine = 2,
  Comment = 3,
  Creator = 4,
  ErrorRetryCount = 5,
  ErrorRetryInterval = 6,
  ExitCode = 7,
  Flags = 8,
  IdleWait = 9,
  MaxRunTime = 10,
  Priority = 11,
  Status = 12,
  Edit = 13,
  Run = 14,
  Terminate = 15,
  LastRunTime = 16,
  NextRunTime = 17,
  FileName = 18,
  Name = 19,
  Save = 20,
  ShowProperties = 21,
  WorkingDirectory = 22,
  Triggers = 23,
};

struct _Job : IDispatch {
  virtual HRESULT get_ApplicationName(BSTR* value) = 0;
  virtual HRESULT put_ApplicationName(BSTR value) = 0;
  virtual HRESULT get_CommandLine(BSTR* value) = 0;
  virtual HRESULT put_CommandLine(BSTR value) = 0;
  virtual HRESULT get_Comment(BSTR* value) = 0;
  virtual HRESULT put_Comment(BSTR value) = 0;
  virtual HRESULT get_Creator(BSTR* value) = 0;
  virtual HRESULT put_Creator(BSTR value) = 0;
  virtual HRESULT get_ErrorRetryCount(SHORT* value) = 0;
  virtual HRESULT put_ErrorRetryCount(SHORT value) = 0;
  virtual HRESULT get_ErrorRetryInterval(SHORT* value) = 0;
  virtual HRESULT put_ErrorRetryInterval(SHORT value) = 0;
  virtual HRESULT get_ExitCode(LONG* value) = 0;
  virtual HRESULT get_Flags(LONG* value) = 0;
  virtual HRESULT put_Flags(LONG value) = 0;
  virtual HRESULT get_IdleWait(SHORT* value) = 0;
  virtual HRESULT put_IdleWait(SHORT value) = 0;
  virtual HRESULT get_MaxRunTime(LONG* value) = 0;
  virtual HRESULT put_MaxRunTime(LONG value) = 0;
  virtual HRESULT get_Priority(LONG* value) = 0;
  virtual HRESULT put_Priority(LONG value) = 0;
  virtual HRESULT get_Status(LONG* value) = 0;
  virtual HRESULT Edit(IDispatch* parent) = 0;
  virtual HRESULT Run() = 0;
  virtual HRESULT Terminate() = 0;
  virtual HRESULT get_LastRunTime(DATE* value) = 0;
  virtual HRESULT get_NextRunTime(DATE* value) = 0;
  virtual HRESULT get_FileName(BSTR* value) = 0;
  virtual HRESULT get_Name(BSTR* value) = 0;
  virtual HRESULT Save(BSTR fileName) = 0;
  virtual HRESULT ShowProperties() = 0;
  virtual HRESULT get_WorkingDirectory(BSTR* value) = 0;
  virtual HRESULT put_WorkingDirectory(BSTR value) = 0;
  virtual HRESULT get_Triggers(_Triggers** value) = 0;

 protected:
  ~_Job() = default;
};

enum class ScheduleMember : DISPID {
  Job = DISPID_VALUE,
  CreateTask = 1,
  NewEnum = DISPID_NEWENUM,
  Refresh = 3,
  Delete = 4,
  TargetComputer = 6,
  Count = 7,
};

struct _Schedule : IDispatch {
  virtual HRESULT CreateTask(BSTR name, _Job** job) = 0;
  virtual HRESULT get_NewEnum(IUnknown** enumerator) = 0;
  virtual HRESULT Refresh() = 0;
  virtual HRESULT Delete(SHORT index) = 0;
  virtual HRESULT get_Job(SHORT index, _Job** job) = 0;
  virtual HRESULT get_TargetComputer(BSTR* value) = 0;
  virtual HRESULT put_TargetComputer(BSTR value) = 0;
  virtual HRESULT get_Count(LONG* value) = 0;

 protected:
  ~_Schedule() = default;
};
